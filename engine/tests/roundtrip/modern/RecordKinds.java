// release: 17
// dialect: modern
import java.util.List;
import java.util.Objects;

// Records: compact and explicit canonical constructors, static members,
// explicit accessors, generic and varargs records, records implementing
// interfaces.
public class RecordKinds {
    interface Sized {
        int size();
    }

    record Point(int x, int y) {
        static final Point ORIGIN = new Point(0, 0);

        static Point of(int v) { return new Point(v, v); }

        double length() { return Math.sqrt(x * x + y * y); }
    }

    record Range(int low, int high) implements Sized {
        Range {
            if (low > high) throw new IllegalArgumentException("low > high");
        }

        public int size() { return high - low; }
    }

    record Named(String name, List<String> tags) {
        Named(String name, List<String> tags) {
            this.name = name.trim();
            this.tags = List.copyOf(tags);
        }

        public String name() { return "<" + name + ">"; }
    }

    record Pair<A, B extends Comparable<B>>(A first, B second) {
        <C extends Comparable<C>> Pair<A, C> withSecond(C c) { return new Pair<>(first, c); }
    }

    record Many(String label, int... values) {
        int total() {
            int s = 0;
            for (int v : values) s += v;
            return s;
        }
    }

    record Empty() {}

    public static void main(String[] args) {
        Point p = new Point(3, 4);
        System.out.println(p + " " + p.length() + " " + p.equals(new Point(3, 4)) + " " + Point.ORIGIN + " " + Point.of(2));
        System.out.println(new Range(2, 5).size());
        try {
            new Range(5, 2);
        } catch (IllegalArgumentException e) {
            System.out.println(e.getMessage());
        }
        Named n = new Named("  ann ", List.of("a", "b"));
        System.out.println(n.name() + " " + n.tags() + " " + n);
        Pair<String, Integer> pair = new Pair<>("k", 9);
        System.out.println(pair.first() + pair.second() + " " + (pair.hashCode() == new Pair<>("k", 9).hashCode()));
        System.out.println(new Many("m", 1, 2, 3).total() + " " + new Empty() + " " + Objects.hash(1));
    }
}
