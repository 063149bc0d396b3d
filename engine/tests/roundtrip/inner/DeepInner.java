// Inner classes of inner classes, inner classes extending inner classes.
public class DeepInner {
    private int level = 1;

    class Middle {
        private int level = 10;

        class Innermost {
            int level = 100;

            int sum() {
                return level + Middle.this.level + DeepInner.this.level;
            }

            int outerOnly() {
                DeepInner.this.level += 2;
                return DeepInner.this.level;
            }
        }

        Innermost make() {
            return new Innermost();
        }
    }

    class Base {
        protected String tag;

        Base(String tag) {
            this.tag = tag;
        }

        String show() {
            return "base " + tag + " " + level;
        }
    }

    class Derived extends Base {
        Derived() {
            super("derived");
        }

        String show() {
            return "derived(" + super.show() + ")";
        }
    }

    static class StaticBase {
        int value() {
            return 5;
        }
    }

    static class StaticDerived extends StaticBase {
        int value() {
            return super.value() * 3;
        }
    }

    // An inner class of a subclass extending an inner class it inherits.
    static class Sub extends DeepInner {
        class SubBase extends Base {
            SubBase() {
                super("sub");
            }
        }

        String viaSub() {
            return new SubBase().show();
        }
    }

    String run() {
        Middle m = new Middle();
        Middle.Innermost i = m.make();
        StringBuilder sb = new StringBuilder();
        sb.append(i.sum()).append(' ');
        sb.append(i.outerOnly()).append(' ');
        sb.append(i.sum()).append(' ');
        Base b = new Derived();
        sb.append(b.show()).append(' ');
        sb.append(new Base("plain").show()).append(' ');
        StaticBase s = new StaticDerived();
        sb.append(s.value());
        Object[] things = {m, i, b, s};
        for (int k = 0; k < things.length; k++) {
            sb.append(things[k] instanceof Base ? 'B' : '-');
            sb.append(things[k] instanceof Middle.Innermost ? 'I' : '-');
        }
        sb.append(' ').append(Middle.Innermost.class.getName());
        sb.append(' ').append(((Middle.Innermost) things[1]).level);
        sb.append(' ').append(new Sub().viaSub());
        return sb.toString();
    }

    public static void main(String[] args) {
        System.out.println(new DeepInner().run());
        DeepInner d = new DeepInner();
        DeepInner.Middle m = d.new Middle();
        System.out.println(m.new Innermost().sum());
    }
}
