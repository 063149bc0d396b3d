// dialect: modern
// Unchecked casts between parameterizations leave no checkcast: the
// arguments that need one get the raw type back (constructors, super and
// this calls, void methods). A null for a parameter bound to an array of a
// primitive type is cast to that array type.
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collection;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;
import java.util.concurrent.atomic.AtomicReferenceArray;

public class UncheckedArguments {
    static class Decorator<E> {
        final Collection<E> inner;

        Decorator(Collection<E> inner) { this.inner = inner; }

        int size() { return inner.size(); }
    }

    @SuppressWarnings("unchecked")
    static final class ReadOnly<E> extends Decorator<E> {
        ReadOnly(Collection<? extends E> coll) { super((Collection<E>) coll); }

        ReadOnly(List<? extends E> list, int skip) { this((Collection<E>) list.subList(skip, list.size())); }
    }

    static <K, V> void fill(Map<K, V> into, K key, V value) { into.put(key, value); }

    @SuppressWarnings("unchecked")
    static <K, V> Map<K, V> copy(Map<? extends K, ? extends V> from) {
        Map<K, V> out = new TreeMap<>();
        Map<K, V> view = (Map<K, V>) from;
        for (Map.Entry<K, V> e : view.entrySet()) fill(out, e.getKey(), e.getValue());
        return out;
    }

    static final AtomicReferenceArray<byte[]> BUFFERS = new AtomicReferenceArray<>(2);

    static byte[] take(int i) { return BUFFERS.getAndSet(i, null); }

    public static void main(String[] args) {
        BUFFERS.set(1, new byte[] {7, 8});
        System.out.println(take(1).length + " " + take(1));
        List<Integer> ints = new ArrayList<>(Arrays.asList(1, 2, 3, 4));
        Decorator<Number> d = new ReadOnly<Number>(ints);
        Decorator<Number> e = new ReadOnly<Number>(ints, 1);
        Map<String, Integer> m = new TreeMap<>();
        m.put("a", 1);
        m.put("b", 2);
        Map<Object, Object> c = copy(m);
        System.out.println(d.size() + " " + e.size() + " " + c);
    }
}
