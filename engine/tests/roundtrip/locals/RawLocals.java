import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;

// Locals the source declared raw, holding values of parameterized types:
// with the debug information's word for it they stay raw, and the calls
// through them keep the overloads the raw type selects.
public class RawLocals {
    static class Box<T> {
        String put(T x) { return "variable " + x; }
        String put(String s) { return "string " + s; }
    }

    static String show(Object o) { return "object " + o; }
    static String show(String s) { return "string " + s; }

    @SuppressWarnings({"rawtypes", "unchecked"})
    public static void main(String[] args) {
        Box<CharSequence> typed = new Box<>();
        Box raw = typed;
        System.out.println(raw.put((Object) "r"));
        System.out.println(typed.put("t"));
        List<String> names = new ArrayList<>();
        names.add("b");
        names.add("a");
        List rawList = names;
        for (Object o : rawList) System.out.println(show(o));
        System.out.println(show(rawList.get(0)));
        Comparator order = new Comparator<String>() {
            public int compare(String a, String b) { return b.compareTo(a); }
        };
        rawList.sort(order);
        System.out.println(rawList + " " + order.compare("x", "y"));
    }
}
