// release: 21
// Record patterns in instanceof: each accessor call is guarded on its own,
// and an accessor that throws surfaces as a MatchException.
public class RecordInstanceOf {
    record Point(int x, int y) {}
    record Named(String name, Point at) {}
    record Risky(int v) {
        public int v() {
            if (v < 0) throw new IllegalStateException("negative " + v);
            return v;
        }
    }

    static int sum(Object o) {
        if (o instanceof Point(int x, int y)) return x + y;
        return -1;
    }

    static String guarded(Object o) {
        if (o instanceof Point(int x, int y) && x < y) return "rising " + (y - x);
        return "not rising";
    }

    static String name(Object o) {
        if (o instanceof Named(String n, Point p)) return n + "@" + p.x();
        return "?";
    }

    static int risky(Object o) {
        try {
            if (o instanceof Risky(int v)) return v * 2;
            return 0;
        } catch (MatchException e) {
            System.out.println("match failed: " + e.getCause().getMessage());
            return -100;
        }
    }

    static int count(Object[] items) {
        int n = 0;
        for (Object o : items) {
            if (o instanceof Point(int x, int y)) {
                if (x == 0) continue;
                n += y;
            }
        }
        return n;
    }

    public static void main(String[] args) {
        System.out.println(sum(new Point(3, 4)) + " " + sum("x") + " " + sum(null));
        System.out.println(guarded(new Point(1, 5)) + " / " + guarded(new Point(5, 1)));
        System.out.println(name(new Named("home", new Point(7, 8))) + " " + name(3));
        System.out.println(risky(new Risky(21)) + " " + risky(new Risky(-1)) + " " + risky("r"));
        Object[] items = {new Point(0, 9), new Point(1, 2), "s", new Point(2, 3)};
        System.out.println(count(items));
    }
}
