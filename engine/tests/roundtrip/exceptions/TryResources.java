// try-with-resources: new and other resources, a null one, several, with
// catch and finally clauses, suppressed close failures, exits from the
// body; and multi-catch.
public class TryResources {
    static final StringBuilder log = new StringBuilder();

    static class Res implements AutoCloseable {
        final String name;
        final boolean failClose;
        Res(String name, boolean failClose) {
            this.name = name;
            this.failClose = failClose;
            log.append("open ").append(name).append(';');
        }
        int use(int x) {
            if (x < 0) throw new IllegalArgumentException("use " + name);
            return x * 2;
        }
        @Override public void close() {
            log.append("close ").append(name).append(';');
            if (failClose) throw new IllegalStateException("close " + name);
        }
    }

    static Res make(String name) { return name == null ? null : new Res(name, name.startsWith("f")); }

    static int one(int x) {
        int r;
        try (Res a = new Res("a", false)) {
            r = a.use(x);
        }
        return r;
    }

    static void two(String first, int x) {
        try (Res a = make(first); Res b = new Res("b", x == 3)) {
            log.append(a == null ? -1 : a.use(x)).append(b.use(x)).append(';');
        } catch (IllegalArgumentException | IllegalStateException e) {
            log.append("caught ").append(e.getMessage());
            for (Throwable s : e.getSuppressed()) log.append(" suppressed ").append(s.getMessage());
            log.append(';');
        } finally {
            log.append("finally;");
        }
    }

    static int exits(int x) {
        try (Res a = make("e")) {
            if (x > 5) return a.use(x);
            log.append("mid;");
        }
        return 0;
    }

    static String multi(Object o) {
        try {
            if (o == null) throw new UnsupportedOperationException("none");
            return "n" + Integer.parseInt((String) o);
        } catch (NumberFormatException | UnsupportedOperationException | ClassCastException e) {
            return e.getClass().getSimpleName();
        }
    }

    public static void main(String[] args) {
        System.out.println(one(4));
        try {
            one(-1);
        } catch (IllegalArgumentException e) {
            System.out.println(e.getMessage());
        }
        two("x", 1);
        two(null, 2);
        two("f", 3);
        two("x", -2);
        System.out.println(exits(7) + " " + exits(1));
        System.out.println(multi(null) + multi("12") + multi("zz") + multi(4));
        System.out.println(log);
    }
}
