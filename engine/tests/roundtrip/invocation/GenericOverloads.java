import java.util.ArrayList;
import java.util.List;

// Overloads where the call picks the less specific method of a generic
// declaration: the argument must keep its cast to the parameter's type.
public class GenericOverloads {
    static String which(StringBuilder b) { return "builder " + b; }

    static <B extends Appendable> String which(B b) { return "appendable"; }

    static String forward(StringBuilder b) { return which((Appendable) b); }

    static String kind(CharSequence s) { return "sequence"; }

    static <T> String kind(String s, List<T> extra) { return "string+" + extra.size(); }

    static <T> String kind(Object o, List<T> extra) { return "object+" + extra.size(); }

    static <T> String tag(Object o, T marker) { return "object " + marker; }

    static <T> String tag(String s, T marker) { return "string " + marker; }

    static String wrap(Object o) { return "wrap object"; }

    static <T> String wrap(Class<T> c) { return wrap((Object) c) + " via class"; }

    private final List<String> log = new ArrayList<>();

    <E extends CharSequence> void add(E e) { log.add("generic " + e); }

    void add(String s) { log.add("string " + s); add((CharSequence) s); }


    // The class's own variable: the call names it in a cast, a raw
    // receiver takes the erasure.
    static class Box<T> {
        String put(T x) { return "variable " + x; }

        @SuppressWarnings("unchecked")
        String put(String s) { return "string " + put((T) (Object) s); }

        @SuppressWarnings("unchecked")
        String both(Object o) { return put((T) o); }
    }

    @SuppressWarnings({"rawtypes", "unchecked"})
    static void boxes() {
        Box<CharSequence> b = new Box<>();
        System.out.println(b.put("a"));
        System.out.println(b.both("c"));
        Box raw = b;
        System.out.println(raw.put((Object) "r"));
    }

    public static void main(String[] args) {
        boxes();
        System.out.println(forward(new StringBuilder("x")));
        System.out.println(which(new StringBuilder("y")));
        List<Integer> two = new ArrayList<>();
        two.add(1);
        two.add(2);
        String s = "s";
        System.out.println(kind((Object) s, two));
        System.out.println(kind(s, two));
        System.out.println(tag((Object) "o", 3));
        System.out.println(tag("o", 4));
        System.out.println(wrap(String.class));
        GenericOverloads g = new GenericOverloads();
        g.add("z");
        System.out.println(g.log);
    }
}
