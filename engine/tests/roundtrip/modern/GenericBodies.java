import java.util.ArrayList;
import java.util.List;

// Bodies that pass values of a type variable on: their locals need the
// generic types too, not only the declarations around them.
public class GenericBodies {
    static <T, R extends List<? super T>> R copyInto(T[] source, R target) {
        for (T t : source) target.add(t);
        return target;
    }

    static class Holder<T> {
        private final List<T> items = new ArrayList<>();

        void addAll(T[] more) {
            for (T t : more) items.add(t);
        }

        T first() { return items.get(0); }
    }

    public static void main(String[] args) {
        List<Object> target = copyInto(new String[] {"u", "v"}, new ArrayList<Object>());
        System.out.println(target);
        Holder<String> h = new Holder<>();
        h.addAll(new String[] {"x", "y"});
        System.out.println(h.first());
    }
}
