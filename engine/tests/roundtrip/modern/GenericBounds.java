// dialect: modern
import java.io.IOException;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collection;
import java.util.Comparator;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

// Generic classes and methods: bounded and recursive bounds, wildcards,
// arrays of type variables, inner classes of generic classes, generic
// throws, varargs, and anonymous classes of generic interfaces.
public class GenericBounds {
    static class Box<T extends Comparable<? super T>> implements Comparable<Box<T>> {
        final T value;

        Box(T value) { this.value = value; }

        public int compareTo(Box<T> other) { return value.compareTo(other.value); }

        class Label {
            String text() { return "box of " + value; }
        }
    }

    static abstract class Node<N extends Node<N>> {
        abstract N self();
        int depth() { return 1; }
    }

    static final class Leaf extends Node<Leaf> {
        Leaf self() { return this; }
    }

    static class Registry<K, V extends Collection<K>> {
        private final Map<K, V> entries = new HashMap<>();

        void put(K key, V values) { entries.put(key, values); }

        int size(K key) { return entries.containsKey(key) ? entries.get(key).size() : -1; }
    }

    static <T extends Comparable<? super T>> int countAbove(List<? extends T> items, T floor) {
        int n = 0;
        for (T item : items) if (item.compareTo(floor) > 0) n++;
        return n;
    }

    static <E extends Exception> void maybeThrow(boolean really, E error) throws E {
        if (really) throw error;
    }

    @SafeVarargs
    static <T> List<T> listOf(T... items) {
        return new ArrayList<>(Arrays.asList(items));
    }

    static int sum(int... values) {
        int s = 0;
        for (int v : values) s += v;
        return s;
    }

    static Comparator<String> byLength() {
        return new Comparator<String>() {
            public int compare(String a, String b) { return a.length() - b.length(); }
        };
    }

    public static void main(String[] args) throws IOException {
        Box<Integer> a = new Box<>(3);
        Box<Integer> b = new Box<>(5);
        System.out.println(a.compareTo(b) + " " + a.new Label().text());
        System.out.println(new Leaf().self().depth());
        Registry<String, List<String>> r = new Registry<>();
        r.put("x", listOf("p", "q"));
        System.out.println(r.size("x") + " " + r.size("y"));
        System.out.println(countAbove(Arrays.asList(1, 5, 9), 4));
        try {
            maybeThrow(true, new IOException("io"));
        } catch (IOException e) {
            System.out.println("caught " + e.getMessage());
        }
        maybeThrow(false, new RuntimeException());
        System.out.println(sum() + sum(1, 2, 3));
        List<String> words = listOf("ccc", "a", "bb");
        words.sort(byLength());
        System.out.println(words);
    }
}
