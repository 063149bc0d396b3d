import java.util.ArrayList;
import java.util.Collection;
import java.util.List;

// A method or constructor that hands its argument on to the overload for
// a parameterized supertype: without the cast the call would pick the more
// specific overload, the caller itself.
public class ParameterizedOverloads<T> {
    interface Vector<T> { int size(); }

    static class ArrayVector<T> implements Vector<T> {
        public int size() { return 2; }
    }

    final String made;

    ParameterizedOverloads(Vector<T> v) { made = "vector " + v.size(); }

    ParameterizedOverloads(ArrayVector<T> v) { this((Vector<T>) v); }

    int count(Vector<T> v) { return v.size() + 100; }

    int count(ArrayVector<T> v) { return count((Vector<T>) v); }

    static <E> String describe(Iterable<E> items) {
        int n = 0;
        for (E ignored : items) n++;
        return "iterable " + n;
    }

    static <E> String describe(Collection<E> items) { return "collection " + items.size(); }

    static <E> String asIterable(List<E> items) { return describe((Iterable<E>) items); }

    public static void main(String[] args) {
        ParameterizedOverloads<String> p = new ParameterizedOverloads<>(new ArrayVector<String>());
        System.out.println(p.made);
        System.out.println(p.count(new ArrayVector<String>()));
        List<Integer> list = new ArrayList<>();
        list.add(1);
        list.add(2);
        System.out.println(asIterable(list));
        System.out.println(describe(list));
    }
}
