// dialect: modern
// Interfaces with default and static methods, a class inheriting the same
// default along two paths, and defaults called through `I.super` where the
// superclass has a method of the same name.
public class DefaultMethods {
    interface Named {
        String name();

        default String greet() { return "hello " + name(); }

        static Named of(final String n) {
            return new Named() {
                public String name() { return n; }
            };
        }
    }

    interface Polite extends Named {
        default String greet() { return "good day " + name(); }
    }

    interface Loud extends Named {
        default String shout() { return greet().toUpperCase(); }
    }

    static class Person implements Polite, Loud {
        public String name() { return "ann"; }
    }

    interface Counter {
        int count();

        default int twice() { return count() * 2; }
    }

    static class Both implements Counter, Named {
        public int count() { return 21; }
        public String name() { return "both"; }
        public String greet() { return "hi " + twice(); }
    }

    static class Base {
        public String greet() { return "base"; }
    }

    static class Chooser extends Base implements Polite, Counter {
        public String name() { return "cy"; }
        public int count() { return 4; }
        public String greet() { return Polite.super.greet() + "/" + super.greet(); }
        public int twice() { return Counter.super.twice() + 1; }
    }

    public static void main(String[] args) {
        Person p = new Person();
        System.out.println(p.greet());
        System.out.println(p.shout());
        System.out.println(Named.of("bob").greet());
        Both b = new Both();
        System.out.println(b.greet() + " " + b.twice());
        Chooser c = new Chooser();
        System.out.println(c.greet() + " " + c.twice());
    }
}
