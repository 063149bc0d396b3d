// dialect: modern
import java.util.ArrayList;
import java.util.Comparator;
import java.util.Iterator;
import java.util.List;
import java.util.function.Supplier;

// Values the erased bytecode passes on unchanged where the source said
// another parameterization: `return this` as a narrower type, a constant
// stored as a generic supplier, a call on a wildcard-typed receiver, and a
// type variable of the enclosing class returned from an anonymous class.
public class GenericReturns {
    abstract static class Order<T> implements Comparator<T> {
        @SuppressWarnings("unchecked")
        <S extends T> Order<S> narrow() { return (Order<S>) this; }
    }

    static final class Natural extends Order<Object> {
        @SuppressWarnings({"unchecked", "rawtypes"})
        public int compare(Object a, Object b) {
            Comparable<?> left = (Comparable<?>) a;
            return ((Comparable) left).compareTo(b);
        }
    }

    enum ListSupplier implements Supplier<List<?>> {
        INSTANCE;

        @SuppressWarnings({"unchecked", "rawtypes"})
        static <V> Supplier<List<V>> instance() {
            Supplier<List<V>> result = (Supplier) INSTANCE;
            return result;
        }

        public List<?> get() { return new ArrayList<>(); }
    }

    static class Box<E> {
        final List<E> items = new ArrayList<>();

        Iterator<E> reversed() {
            final List<E> copy = new ArrayList<>(items);
            return new Iterator<E>() {
                int at = copy.size();

                public boolean hasNext() { return at > 0; }

                public E next() { return copy.get(--at); }
            };
        }
    }

    public static void main(String[] args) {
        Order<String> o = new Natural().narrow();
        System.out.println(o.compare("a", "b") < 0);
        List<String> l = ListSupplier.<String>instance().get();
        l.add("z");
        System.out.println(l);
        Box<String> b = new Box<>();
        b.items.add("p");
        b.items.add("q");
        for (Iterator<String> it = b.reversed(); it.hasNext();) System.out.println(it.next().toUpperCase());
    }
}
