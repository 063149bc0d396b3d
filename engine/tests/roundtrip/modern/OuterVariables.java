// dialect: modern
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collection;
import java.util.Comparator;
import java.util.Deque;
import java.util.HashMap;
import java.util.Iterator;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.SortedSet;
import java.util.TreeSet;
import java.util.Objects;
import java.util.function.BiFunction;
import java.util.function.Function;

// Type variables of the classes around the code: an inner class's methods
// and its anonymous classes use the outer class's K and V, through `this`
// and `Outer.this`, and javac's checkcasts to a variable's erasure mean the
// variable.
public class OuterVariables {
    static class Pairs<K, V> {
        final Map<K, V> map = new LinkedHashMap<>();
        K firstKey;

        void put(K key, V value) {
            if (firstKey == null) firstKey = key;
            map.put(key, value);
        }

        V get(K key) { return map.get(key); }

        // An inner class sees K and V as its own: put(V, K) through the outer instance.
        class Inverse {
            void put(V value, K key) { Pairs.this.put(key, value); }

            K keyOf(V value) {
                for (Map.Entry<K, V> e : map.entrySet()) {
                    if (e.getValue().equals(value)) return e.getKey();
                }
                return firstKey;
            }

            void replaceAll(BiFunction<? super V, ? super K, ? extends K> f) {
                List<Map.Entry<K, V>> entries = new ArrayList<>(map.entrySet());
                map.clear();
                for (Map.Entry<K, V> e : entries) put(e.getValue(), f.apply(e.getValue(), e.getKey()));
            }
        }

        // A subclass of an inner class: its fields are typed by the outer variables.
        class Wrapped {
            final K key;

            Wrapped(K key) { this.key = key; }

            Wrapped(K key, V ignored) { this(key); }

            V value() { return get(key); }
        }

        class Named extends Wrapped {
            Named(K key) { super(key, null); }

            String describe() { return key + "->" + value(); }

            Named again() { return new Named(key); }
        }

        Iterator<K> keys() {
            Iterator<K> all = map.keySet().iterator();
            return new Iterator<K>() {
                public boolean hasNext() { return all.hasNext(); }

                public K next() { return firstOr(all.next()); }
            };
        }

        K firstOr(K key) { return key == null ? firstKey : key; }
    }

    // A raw bound: values of C are Comparables, calls need C.
    @SuppressWarnings({"rawtypes", "unchecked"})
    static class Span<C extends Comparable> {
        final C low, high;

        Span(C low, C high) { this.low = low; this.high = high; }

        boolean contains(C value) { return low.compareTo(value) <= 0 && value.compareTo(high) <= 0; }

        boolean containsAll(Iterable<? extends C> values) {
            if (values instanceof SortedSet) {
                SortedSet<? extends C> set = (SortedSet<? extends C>) values;
                return contains(set.first()) && contains(set.last());
            }
            for (C value : values) {
                if (!contains(value)) return false;
            }
            return true;
        }

        boolean has(Object o) {
            try {
                return contains((C) o);
            } catch (ClassCastException e) {
                return false;
            }
        }

        Iterator<C> ends() {
            Iterator<C> both = Arrays.asList(low, high).iterator();
            return new Iterator<C>() {
                public boolean hasNext() { return both.hasNext(); }

                public C next() { return both.next(); }
            };
        }
    }

    interface Source<N> {
        Iterable<? extends N> next(N node);
    }

    // A covariant redeclaration is the same method, not an overload.
    interface Graph<N> extends Source<N> {
        List<N> next(N node);
    }

    static <N> int reach(Graph<N> graph, N start) {
        Deque<Iterator<? extends N>> horizon = new ArrayDeque<>();
        horizon.add(graph.next(start).iterator());
        int n = 0;
        for (N node = take(horizon); node != null; node = take(horizon)) {
            n++;
            horizon.add(graph.next(node).iterator());
        }
        return n;
    }

    static <N> N take(Deque<Iterator<? extends N>> horizon) {
        while (!horizon.isEmpty()) {
            Iterator<? extends N> top = horizon.peekFirst();
            if (top.hasNext()) return top.next();
            horizon.removeFirst();
        }
        return null;
    }

    static final class Mark<C extends Comparable<C>> {
        static final Mark<?> TOP = new Mark<>();

        @SuppressWarnings("unchecked")
        static <C extends Comparable<C>> Mark<C> top() { return (Mark<C>) TOP; }
    }

    static <C extends Comparable<C>> boolean isTop(Mark<C> mark) { return mark == Mark.<C>top(); }

    interface Valued<N, V> {
        V valueOr(N a, N b, V fallback);

        V valueOr(N a, V fallback);
    }

    // An anonymous class reads the captured parameter with its declared type.
    static <N, V> Function<N, V> valueFn(Valued<N, V> graph, N start) {
        return new Function<N, V>() {
            public V apply(N node) { return Objects.requireNonNull(graph.valueOr(start, node, null)); }
        };
    }

    static final Map<Class<?>, Class<?>> BOXES = new HashMap<>();

    @SuppressWarnings("unchecked")
    static <T> Class<T> box(Class<T> type) {
        Class<T> boxed = (Class<T>) BOXES.get(type);
        return boxed == null ? type : boxed;
    }

    @SuppressWarnings({"rawtypes", "unchecked"})
    static <E> Collection<E> sorted(Collection<E> items) {
        return sortedBy((Comparator) Comparator.naturalOrder(), items);
    }

    static <E> Collection<E> sortedBy(Comparator<? super E> order, Collection<E> items) {
        TreeSet<E> set = new TreeSet<>(order);
        set.addAll(items);
        return set;
    }

    public static void main(String[] args) {
        Pairs<String, Integer> pairs = new Pairs<>();
        pairs.put("one", 1);
        Pairs<String, Integer>.Inverse inverse = pairs.new Inverse();
        inverse.put(2, "two");
        System.out.println(inverse.keyOf(2) + " " + inverse.keyOf(9));
        inverse.replaceAll((v, k) -> k + v);
        System.out.println(pairs.map);
        Pairs<String, Integer>.Named named = pairs.new Named("one1");
        System.out.println(named.describe() + " " + named.again().describe());
        for (Iterator<String> it = pairs.keys(); it.hasNext(); ) System.out.print(it.next() + ";");
        System.out.println();

        Span<Integer> span = new Span<>(2, 8);
        System.out.println(span.containsAll(new TreeSet<>(Arrays.asList(3, 5))) + " " + span.containsAll(Arrays.asList(1, 4))
                + " " + span.has(4) + " " + span.has("x"));
        for (Iterator<Integer> it = span.ends(); it.hasNext(); ) System.out.print(it.next() + ";");
        System.out.println();

        Map<Integer, List<Integer>> edges = new HashMap<>();
        edges.put(1, Arrays.asList(2, 3));
        edges.put(2, Arrays.asList(3));
        Graph<Integer> graph = node -> edges.getOrDefault(node, new ArrayList<>());
        System.out.println(reach(graph, 1));

        Mark<String> top = Mark.top();
        Valued<String, Integer> lengths = new Valued<String, Integer>() {
            public Integer valueOr(String a, String b, Integer fallback) { return a.length() + b.length(); }

            public Integer valueOr(String a, Integer fallback) { return fallback; }
        };
        System.out.println(valueFn(lengths, "ab").apply("cde"));
        System.out.println(isTop(top) + " " + isTop(new Mark<String>()));
        BOXES.put(int.class, Integer.class);
        System.out.println(box(int.class).getSimpleName() + " " + box(String.class).getSimpleName());
        System.out.println(sorted(Arrays.asList("b", "c", "a")));

        // a literal with a lone surrogate is a sum of terms, even as a receiver
        System.out.println("a\ud800b".length() + " " + "x\udc00".toCharArray().length);
    }
}
