// Fields hidden by subclasses and inner classes, reached through super,
// casts, outer instances and static members through instances: each access
// must read the field the source named.
public class FieldHiding {
    static class Animal {
        String kind = "animal";
        static int count = 1;
        int legs = 4;
        static String tag() { return "A"; }
    }

    static class Dog extends Animal {
        String kind = "dog";
        static int count = 2;

        String show() {
            return super.kind + "/" + ((Animal) this).kind + "/" + kind + "/" + this.kind;
        }

        int counts() {
            return super.count * 100 + Animal.count * 10 + count;
        }
    }

    static class Puppy extends Dog {
        String kind = "puppy";

        String show() {
            // Dog's and Animal's fields from two levels down
            return super.kind + "|" + ((Animal) this).kind + "|" + ((Dog) this).kind + "|" + kind + "|" + legs;
        }
    }

    interface Named {
        String NAME = "iface";
    }

    static class Base {
        String NAME = "base-field";
    }

    static class Both extends Base implements Named {
        String read() {
            return ((Base) this).NAME + "," + Named.NAME;
        }
    }

    String label = "outer";
    int value = 10;

    class Inner {
        String label = "inner";

        String both() {
            return label + "+" + FieldHiding.this.label + "+" + value;
        }

        class Deeper {
            int value = 99;

            String all() {
                return label + "/" + FieldHiding.this.label + "/" + value + "/" + FieldHiding.this.value;
            }
        }
    }

    int shadow(int value) {
        int label = value * 2;
        return label + this.value + this.label.length();
    }

    static int count = 5;

    static int staticShadow() {
        int count = 3;
        return count + FieldHiding.count;
    }

    static Dog make() {
        return new Puppy();
    }

    public static void main(String[] args) {
        Dog d = new Dog();
        System.out.println(d.show() + " " + ((Animal) d).kind + " " + d.kind);
        System.out.println(d.counts());
        Puppy p = new Puppy();
        System.out.println(p.show());
        System.out.println(((Dog) p).kind + ((Animal) p).kind + p.kind);
        System.out.println(((Animal) make()).kind + make().kind);
        Animal a = p;
        System.out.println(a.kind + ((Dog) a).kind + ((Puppy) a).kind);
        // static fields through instances
        System.out.println(d.count + " " + ((Animal) d).count + " " + a.count + " " + p.count);
        System.out.println(new Both().read());
        FieldHiding outer = new FieldHiding();
        Inner in = outer.new Inner();
        System.out.println(in.both());
        System.out.println(in.new Deeper().all());
        System.out.println(outer.shadow(3) + " " + staticShadow());
        Dog[] dogs = {new Dog(), new Puppy()};
        StringBuilder sb = new StringBuilder();
        for (int i = 0; i < dogs.length; i++) {
            sb.append(dogs[i].kind).append(((Animal) dogs[i]).kind).append(';');
        }
        System.out.println(sb);
    }
}
