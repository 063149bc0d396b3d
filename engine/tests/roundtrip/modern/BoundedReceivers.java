// dialect: modern
import java.util.ArrayList;
import java.util.List;

// Calls on receivers typed by a type variable, whose members come from the
// variable's bound: `T extends Num<T>` gives `T plus(T)` a T, so the calls
// chain without casts; an array of them is filled the same way.
public class BoundedReceivers {
    interface Ring<T> {
        T plus(T other);
        T times(int k);
    }

    interface Num<T> extends Ring<T> {
        double value();
        T half();
    }

    static final class Fixed implements Num<Fixed> {
        final long units;
        Fixed(long units) { this.units = units; }
        public Fixed plus(Fixed other) { return new Fixed(units + other.units); }
        public Fixed times(int k) { return new Fixed(units * k); }
        public double value() { return units / 100.0; }
        public Fixed half() { return new Fixed(units / 2); }
        public String toString() { return Long.toString(units); }
    }

    static <T extends Num<T>> T midpoint(T a, T b) {
        return a.plus(b.plus(a.times(-1)).half());
    }

    static <T extends Num<T>> List<T> steps(T start, T step, int n) {
        List<T> out = new ArrayList<>();
        T at = start;
        for (int i = 0; i < n; i++) {
            out.add(at);
            at = at.plus(step.times(i + 1).half());
        }
        return out;
    }

    static <T extends Comparable<T> & Num<T>> T larger(T a, T b) {
        return a.compareTo(b) >= 0 ? a.plus(b.times(0)) : b.plus(a.times(0));
    }

    static final class Money implements Comparable<Money>, Num<Money> {
        final int cents;
        Money(int cents) { this.cents = cents; }
        public Money plus(Money other) { return new Money(cents + other.cents); }
        public Money times(int k) { return new Money(cents * k); }
        public double value() { return cents; }
        public Money half() { return new Money(cents / 2); }
        public int compareTo(Money o) { return Integer.compare(cents, o.cents); }
        public String toString() { return cents + "c"; }
    }

    static final class Grid<T extends Num<T>> {
        final T[] cells;
        Grid(T[] cells) { this.cells = cells; }
        void doubleAll() {
            for (int i = 0; i < cells.length; i++) cells[i] = cells[i].plus(cells[i]);
        }
        double total() {
            double sum = 0;
            for (T c : cells) sum += c.half().value();
            return sum;
        }
    }

    @SuppressWarnings("unchecked")
    static <T> T[] arrayLike(T[] model, int n) {
        return (T[]) java.lang.reflect.Array.newInstance(model.getClass().getComponentType(), n);
    }

    // An inner class filling its outer instance's arrays of the outer variable.
    static final class Table<T extends Num<T>> {
        T[] row;
        T[][] rows;
        final T seed;
        Table(T seed, T[] model) {
            this.seed = seed;
            new Filler().fill(model);
        }
        final class Filler {
            void fill(T[] model) {
                row = arrayLike(model, 2);
                rows = (T[][]) java.lang.reflect.Array.newInstance(model.getClass(), 2);
                for (int i = 0; i < rows.length; i++) {
                    rows[i] = arrayLike(model, i + 1);
                    row[i] = seed.times(i + 1);
                    for (int j = 0; j <= i; j++) rows[i][j] = row[i].plus(seed);
                }
            }
        }
    }

    public static void main(String[] args) {
        Table<Fixed> t = new Table<>(new Fixed(3), new Fixed[0]);
        System.out.println(t.row[1] + " " + t.rows[1][1] + " " + t.rows[1].length);
        System.out.println(midpoint(new Fixed(100), new Fixed(300)));
        System.out.println(steps(new Fixed(1), new Fixed(10), 4));
        System.out.println(larger(new Money(5), new Money(7)) + " " + larger(new Money(9), new Money(2)));
        Grid<Fixed> g = new Grid<>(new Fixed[] {new Fixed(4), new Fixed(6)});
        g.doubleAll();
        System.out.println(g.total() + " " + g.cells[1]);
    }
}
