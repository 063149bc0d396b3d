// dialect: modern
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collection;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.function.BiConsumer;
import java.util.function.Function;
import java.util.function.Supplier;

// Values whose generic type comes from where they stand: an enhanced for
// over a generic array or map, a local holding an anonymous class, and
// lambdas whose parameter types only the call's generic parameter gives.
public class GenericContexts {
    interface Table<K, V> {
        Collection<Map.Entry<K, V>> entries();

        default void each(BiConsumer<? super K, ? super V> action) {
            entries().forEach(entry -> action.accept(entry.getKey(), entry.getValue()));
        }
    }

    static class MapTable<K, V> implements Table<K, V> {
        final Map<K, V> map = new LinkedHashMap<>();

        public Collection<Map.Entry<K, V>> entries() { return map.entrySet(); }

        void putAll(Map<? extends K, ? extends V> more) {
            for (Map.Entry<? extends K, ? extends V> e : more.entrySet()) map.put(e.getKey(), e.getValue());
        }
    }

    static <T> List<T> collect(T[] items, List<T> into) {
        for (T t : items) into.add(t);
        return into;
    }

    static <T, R> List<R> mapAll(List<T> items, Function<? super T, ? extends R> f) {
        List<R> out = new ArrayList<>();
        items.forEach(t -> out.add(f.apply(t)));
        return out;
    }

    static String anonymous(final String prefix) {
        Supplier<String> s = new Supplier<String>() {
            public String get() { return prefix + "!"; }
        };
        return s.get().toUpperCase();
    }

    public static void main(String[] args) {
        System.out.println(collect(new String[] {"a", "b"}, new ArrayList<>()));
        MapTable<String, Integer> t = new MapTable<>();
        Map<String, Integer> more = new LinkedHashMap<>();
        more.put("x", 1);
        more.put("y", 2);
        t.putAll(more);
        StringBuilder sb = new StringBuilder();
        t.each((k, v) -> sb.append(k).append('=').append(v + 1).append(';'));
        System.out.println(sb);
        List<String> words = Arrays.asList("one", "three");
        System.out.println(mapAll(words, w -> w.length()));
        words.forEach(w -> System.out.println(w.substring(1)));
        System.out.println(anonymous("hey"));
    }
}
