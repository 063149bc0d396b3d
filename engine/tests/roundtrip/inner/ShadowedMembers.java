// Inner classes whose own members hide the outer class's, narrow compound
// assignments through accessors, and creation through computed outer instances.
public class ShadowedMembers {
    private int value = 3;
    private byte small = 1;
    private char letter = 'a';
    private short half = 7;
    private long wide = 100L;
    private double real = 0.5;
    private static long counter;

    private int value() {
        return value * 2;
    }

    private static String describe(Object o) {
        return "<" + o + ">";
    }

    ShadowedMembers self() {
        return this;
    }

    class Shadow {
        private int value = 40;

        int value() {
            return value + 1;
        }

        String mix() {
            int a = value + ShadowedMembers.this.value;
            int b = value() + ShadowedMembers.this.value();
            small += 3;
            small *= 5;
            letter++;
            letter += 2;
            half -= 9;
            long w = wide++;
            long v = ++wide;
            wide <<= 2;
            real /= 4;
            counter += w;
            int c = small + letter + half;
            return a + " " + b + " " + c + " " + w + " " + v + " " + wide + " " + real + " " + describe(counter);
        }

        boolean flip(boolean f) {
            return f ^ (value > 0);
        }
    }

    static class Deep {
        private static int hits;

        private static int hit() {
            return ++hits;
        }

        class Deeper {
            int twice() {
                return hit() + hit();
            }
        }
    }

    int innerPrivate(Shadow s) {
        return s.value + s.value();
    }

    public static void main(String[] args) {
        ShadowedMembers o = new ShadowedMembers();
        Shadow s = o.self().new Shadow();
        System.out.println(s.mix());
        System.out.println(s.mix());
        System.out.println(o.innerPrivate(s) + " " + s.flip(true) + " " + s.flip(false));
        Deep d = new Deep();
        Deep.Deeper dd = d.new Deeper();
        System.out.println(dd.twice() + " " + dd.twice() + " " + Deep.hits);
        ShadowedMembers[] many = {o, new ShadowedMembers()};
        for (int i = 0; i < many.length; i++) {
            System.out.println(many[i].new Shadow().mix());
        }
    }
}
