// try-with-resources: one and two resources, a null resource, a body that
// throws, a close that throws, and a return from inside.
public class FinallyResources {
    static StringBuilder log = new StringBuilder();

    static class Res implements AutoCloseable {
        final String name;
        final boolean failClose;
        Res(String name, boolean failClose) {
            this.name = name;
            this.failClose = failClose;
            log.append("open " + name + ";");
        }
        public void close() {
            log.append("close " + name + ";");
            if (failClose)
                throw new IllegalStateException("close " + name);
        }
    }

    static int one(int n) {
        try (Res r = new Res("a", false)) {
            if (n == 0)
                return -1;
            log.append("use " + r.name + ";");
        }
        return n;
    }

    static void two(boolean failBody, boolean failClose) {
        try (Res a = new Res("x", false); Res b = new Res("y", failClose)) {
            log.append("body;");
            if (failBody)
                throw new RuntimeException("body");
        }
    }

    static void nullResource() throws Exception {
        try (AutoCloseable c = null) {
            log.append("null ok;");
        }
    }

    public static void main(String[] args) throws Exception {
        System.out.println(one(0) + " " + one(3) + " " + log);
        log.setLength(0);
        for (int i = 0; i < 4; i++) {
            try {
                two(i % 2 == 1, i >= 2);
            } catch (RuntimeException e) {
                log.append("[" + e.getMessage() + " suppressed " + e.getSuppressed().length + "]");
            }
            System.out.println(log);
            log.setLength(0);
        }
        nullResource();
        System.out.println(log);
    }
}
