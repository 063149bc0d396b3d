// Inner and nested classes calling private methods and constructors of each other.
public class OuterMethodCalls {
    private final String name;

    private OuterMethodCalls(String name) {
        this.name = name;
    }

    private String greet(String who) {
        return name + " greets " + who;
    }

    private static int twice(int x) {
        return 2 * x;
    }

    private void log(String s) {
        System.out.println("log " + name + ": " + s);
    }

    class Helper {
        private final int factor;

        private Helper(int factor) {
            this.factor = factor;
        }

        String work() {
            log("work " + factor);
            return greet("helper" + twice(factor));
        }

        OuterMethodCalls copy() {
            return new OuterMethodCalls(name + "'");
        }
    }

    static class Builder {
        private String value = "";

        private Builder() {
        }

        private Builder add(String s) {
            value += s;
            return this;
        }

        static Builder create() {
            return new Builder();
        }
    }

    Helper helper(int f) {
        return new Helper(f);
    }

    public static void main(String[] args) {
        OuterMethodCalls o = new OuterMethodCalls("main");
        Helper h = o.helper(3);
        System.out.println(h.work());
        System.out.println(h.copy().helper(5).work());
        Builder b = new Builder().add("x").add("y");
        System.out.println(b.value + Builder.create().add("z").value);
        Helper other = o.new Helper(7);
        System.out.println(other.factor + " " + other.work());
    }
}
