// dialect: modern
import java.util.AbstractMap;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.Iterator;
import java.util.List;
import java.util.Map;
import java.util.function.Consumer;
import java.util.function.ObjIntConsumer;
import java.util.function.Predicate;

// Calls through values typed with wildcards whose erased arguments need a
// cast the source wrote (and javac erased), also from an inner class that
// reads them through the outer instance.
public class WildcardReceivers<K, V> {
    final Map<K, V> unfiltered = new HashMap<>();
    final Predicate<? super K> keyPredicate;
    final List<Consumer<? super V>> listeners = new ArrayList<>();

    WildcardReceivers(Predicate<? super K> keyPredicate) {
        this.keyPredicate = keyPredicate;
    }

    @SuppressWarnings("unchecked")
    boolean remove(Object o) {
        if (o instanceof Map.Entry) {
            Map.Entry<?, ?> entry = (Map.Entry<?, ?>) o;
            if (unfiltered.containsKey(entry.getKey()) && keyPredicate.test((K) entry.getKey())) {
                return unfiltered.remove(entry.getKey(), entry.getValue());
            }
        }
        return false;
    }

    class Keys {
        @SuppressWarnings("unchecked")
        boolean accepts(Object o) {
            return keyPredicate.test((K) o);
        }

        @SuppressWarnings("unchecked")
        void announce(Object value) {
            for (Consumer<? super V> listener : listeners) listener.accept((V) value);
        }
    }

    // A method reference given to a receiver typed `? extends E` takes
    // the capture's function type, which the raw type would not give it.
    static class Bag<E> {
        final List<String> entries = new ArrayList<>();

        void add(E e, int n) {
            entries.add(e + "x" + n);
        }

        void each(ObjIntConsumer<? super E> action) {
            for (String entry : new ArrayList<>(entries)) action.accept(null, entry.length());
        }
    }

    static <E> List<String> addAll(Bag<E> self, Bag<? extends E> more) {
        more.each(self::add);
        return self.entries;
    }

    // A null passed for T binds nothing: the wildcard predicate decides T.
    static <T> T find(Iterator<? extends T> it, Predicate<? super T> p, T fallback) {
        while (it.hasNext()) {
            T t = it.next();
            if (p.test(t)) return t;
        }
        return fallback;
    }

    static <E> E firstMatch(List<E> items, Predicate<? super E> p) {
        return find(items.iterator(), p, null);
    }

    String check() {
        Keys keys = new Keys();
        List<Object> seen = new ArrayList<>();
        listeners.add(seen::add);
        keys.announce(7);
        return keys.accepts("abc") + " " + keys.accepts("x") + " " + unfiltered + " " + seen;
    }

    public static void main(String[] args) {
        WildcardReceivers<String, Integer> w = new WildcardReceivers<>(s -> s.startsWith("a"));
        w.unfiltered.put("ab", 1);
        w.unfiltered.put("b", 2);
        System.out.println(w.remove(new AbstractMap.SimpleEntry<>("ab", 1)) + " " + w.remove(new AbstractMap.SimpleEntry<>("b", 2)));
        System.out.println(w.check());
        Bag<Object> self = new Bag<>();
        Bag<String> more = new Bag<>();
        more.add("a", 2);
        more.add("bb", 3);
        System.out.println(addAll(self, more));
        Predicate<Object> notNull = o -> o != null && o.hashCode() % 2 == 0;
        System.out.println(firstMatch(java.util.Arrays.asList(1, 3, 4, 5), notNull) + " " + firstMatch(new ArrayList<Integer>(), notNull));
    }
}
