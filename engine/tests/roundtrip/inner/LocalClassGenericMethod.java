// dialect: modern
// Local classes of generic methods name the method's type variables, with
// their bounds; a local class that names none stays as it was.
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Iterator;
import java.util.List;

public class LocalClassGenericMethod {
    static <T extends Comparable<T>> T max(List<T> xs) {
        class Best {
            T value;

            void offer(T x) {
                if (value == null || x.compareTo(value) > 0) value = x;
            }
        }
        Best best = new Best();
        for (T x : xs) best.offer(x);
        return best.value;
    }

    static <K, V> Iterator<V> valuesOf(final List<K> keys, final V fill) {
        class Values implements Iterator<V> {
            int at;

            public boolean hasNext() { return at < keys.size(); }

            public V next() {
                at++;
                return fill;
            }
        }
        return new Values();
    }

    static int plain(int n) {
        class Counter {
            int count;
        }
        Counter c = new Counter();
        for (int i = 0; i < n; i++) c.count += i;
        return c.count;
    }

    public static void main(String[] args) {
        System.out.println(max(Arrays.asList(3, 9, 2)) + " " + max(Arrays.asList("b", "a")));
        List<String> out = new ArrayList<>();
        for (Iterator<Integer> it = valuesOf(Arrays.asList("x", "y", "z"), 7); it.hasNext();) out.add("" + it.next());
        System.out.println(out + " " + plain(5));
    }
}
