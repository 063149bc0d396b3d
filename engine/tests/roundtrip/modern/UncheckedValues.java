// dialect: modern
import java.util.ArrayList;
import java.util.EnumMap;
import java.util.List;
import java.util.Map;

// Values the source converted unchecked, where the bytecode kept no cast:
// an element of a wildcard-typed array returned as another parameterization,
// a creation of a concretely typed class returned for a generic result, a
// class literal for a Class<T>, a creation stored in a local of a type
// variable, and elements stored into arrays of type variables.
public class UncheckedValues {
    interface Shape<T> {
        String name(T value);
    }

    static final class Plain implements Shape<String> {
        public String name(String value) { return "plain " + value; }
    }

    enum Colour { RED, GREEN }

    @SuppressWarnings("unchecked")
    static <T> Shape<T> first(Shape<? super T>... shapes) {
        return (Shape<T>) shapes[0];
    }

    @SuppressWarnings("unchecked")
    static <T> Shape<T> plainFor(Class<T> type) {
        if (type == String.class) return (Shape<T>) new Plain();
        return null;
    }

    @SuppressWarnings("unchecked")
    static <T> Class<T> boxed(Class<T> type) {
        if (type == Integer.TYPE) return (Class<T>) Integer.class;
        return type;
    }

    @SuppressWarnings({"unchecked", "rawtypes"})
    static <T> T emptyMap(Class<?> keys) {
        T map = (T) new EnumMap(keys);
        return map;
    }

    static final class Ring<E> {
        private final E[] items;
        private final List<E> source = new ArrayList<>();

        @SuppressWarnings("unchecked")
        Ring(int n) { items = (E[]) new Object[n]; }

        @SuppressWarnings("unchecked")
        void fill(Object... values) {
            for (int i = 0; i < values.length && i < items.length; i++) items[i] = (E) values[i];
        }

        void add(E e) { source.add(e); }

        @SuppressWarnings("unchecked")
        <T> T[] copyInto(T[] into) {
            for (int i = 0; i < source.size() && i < into.length; i++) into[i] = (T) source.get(i);
            return into;
        }

        String first() { return String.valueOf(items[0]); }
    }

    public static void main(String[] args) {
        Shape<String> s = first(new Plain());
        System.out.println(s.name("a"));
        System.out.println(plainFor(String.class).name("b"));
        System.out.println(plainFor(Integer.class));
        System.out.println(boxed(int.class).getSimpleName() + " " + boxed(Long.class).getSimpleName());
        Map<Colour, String> m = emptyMap(Colour.class);
        m.put(Colour.GREEN, "g");
        System.out.println(m);
        Ring<String> r = new Ring<>(2);
        r.fill("x", "y", "z");
        System.out.println(r.first());
        r.add("q");
        r.add("w");
        Object[] out = r.copyInto(new Object[3]);
        System.out.println(out[0] + " " + out[1] + " " + out[2]);
    }
}
