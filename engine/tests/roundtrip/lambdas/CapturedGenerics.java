// dialect: modern
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Comparator;
import java.util.Deque;
import java.util.Iterator;
import java.util.List;
import java.util.function.BiFunction;
import java.util.function.Function;
import java.util.stream.Collector;
import java.util.stream.Collectors;
import java.util.stream.Stream;

// Lambda bodies that call through the values they capture: a wildcard's
// capture takes no erased value, a generic method's variables come from
// a captured value's type arguments, and a receiver whose type only the
// target could infer.
public class CapturedGenerics {
    interface Failing<I, R, E extends Throwable> {
        R apply(I input) throws E;

        default <V> Failing<V, R, E> compose(Failing<? super V, ? extends I, E> before) {
            return (V v) -> apply(before.apply(v));
        }

        default <V> Failing<I, V, E> andThen(Failing<? super R, ? extends V, E> after) {
            return (I t) -> after.apply(apply(t));
        }
    }

    interface Failing2<A, B, R, E extends Throwable> {
        R apply(A a, B b) throws E;
    }

    static <A, B, R, E extends Throwable> R call(Failing2<A, B, R, E> f, A a, B b) {
        try {
            return f.apply(a, b);
        } catch (Throwable t) {
            throw new IllegalStateException(t);
        }
    }

    static <A, B, R> BiFunction<A, B, R> asBiFunction(Failing2<A, B, R, ?> f) {
        return (a, b) -> call(f, a, b);
    }

    static <A, R> Function<A, R> sticky(Failing<? super A, ? extends R, ?> f, R fallback) {
        return a -> {
            try {
                R r = f.apply(a);
                return r == null ? fallback : r;
            } catch (Throwable t) {
                return fallback;
            }
        };
    }

    static <R, A> R gather(Stream<String> stream, Collector<? super String, A, R> collector) {
        if (stream == null) {
            return Stream.<String>empty().collect(collector);
        }
        return stream.filter(s -> !s.isEmpty()).collect(collector);
    }

    static <T> void twice(List<? super T> into, T value, Function<? super T, ? extends T> step) {
        Runnable r = () -> {
            into.add(value);
            into.add(step.apply(value));
        };
        r.run();
    }

    static <T> T[] sorted(T[] items, Comparator<? super T> order) {
        T[] copy = items.clone();
        Arrays.sort(copy, order);
        return copy;
    }

    // The captured local is raw in the anonymous class's code: passing it
    // where type arguments are wanted erases the call's result.
    abstract static class Walker<N> {
        abstract N step(Deque<Iterator<? extends N>> horizon);

        Iterator<N> walk(Iterator<? extends N> start) {
            Deque<Iterator<? extends N>> horizon = new ArrayDeque<>();
            horizon.add(start);
            return new Iterator<N>() {
                public boolean hasNext() {
                    return !horizon.isEmpty() && horizon.peek().hasNext();
                }

                public N next() {
                    N n = step(horizon);
                    return n;
                }
            };
        }
    }

    static String walked() {
        Walker<String> w = new Walker<String>() {
            String step(Deque<Iterator<? extends String>> horizon) {
                return horizon.peek().next().toUpperCase();
            }
        };
        StringBuilder out = new StringBuilder();
        for (Iterator<String> it = w.walk(Arrays.asList("a", "b").iterator()); it.hasNext();) out.append(it.next());
        return out.toString();
    }

    static String composed(Failing<String, Integer, RuntimeException> length) throws Throwable {
        return length.compose((Object o) -> "<" + o + ">").apply(42) + " " + length.andThen((Integer n) -> n * 10).apply("abc");
    }

    static String parsed(Function<String, Integer> parse) {
        return parse.apply("17") + " " + parse.apply("x");
    }

    public static void main(String[] args) throws Throwable {
        System.out.println(composed(String::length));
        System.out.println(walked());
        System.out.println(asBiFunction((String s, Integer n) -> s + n).apply("ab", 3));
        System.out.println(parsed(sticky(Integer::parseInt, -1)));
        System.out.println(gather(Stream.of("a", "", "b"), Collectors.joining(",")));
        System.out.println(gather(null, Collectors.toList()));
        List<Object> into = new ArrayList<>();
        twice(into, "x", s -> s + s);
        System.out.println(into);
        System.out.println(Arrays.toString(sorted(new String[] {"pear", "fig", "apple"}, Comparator.comparing(String::length))));
    }
}
