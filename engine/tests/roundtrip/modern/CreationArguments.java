// dialect: modern
import java.util.ArrayList;
import java.util.List;
import java.util.TreeMap;

// Arguments of creations typed by their constructor's generic parameters:
// a null for an inner class's parameter of the outer class's variable, and
// nulls that select one of overloaded constructors, which must keep their
// casts where another constructor would take the bare null.
public class CreationArguments<K extends Comparable<K>> {
    final TreeMap<K, String> map = new TreeMap<>();

    class Range {
        final K from, to;
        Range(K from, K to) { this.from = from; this.to = to; }
        Range(K from, boolean inclusive, K to) { this(from, inclusive ? to : null); }
        String text() { return (from == null ? "*" : from.toString()) + ".." + (to == null ? "*" : to.toString()); }
    }

    static final class Pick<T> {
        final String said;
        Pick(T value) { said = "value " + value; }
        Pick(String text) { said = "text " + text; }
    }

    static final class Holder {
        final int size;
        Holder(List<String> items) { size = items == null ? -1 : items.size(); }
        Holder(Object other) { size = -2; }
    }

    String head(K to) { return new Range(null, to).text(); }
    String tail(K from) { return new Range(from, false, null).text(); }

    public static void main(String[] args) {
        CreationArguments<String> c = new CreationArguments<>();
        System.out.println(c.head("m") + " " + c.tail("q"));
        System.out.println(new Pick<Integer>((Integer) null).said);
        System.out.println(new Pick<Integer>((String) null).said);
        System.out.println(new Pick<Integer>(7).said);
        List<String> items = new ArrayList<>();
        items.add("a");
        System.out.println(new Holder(items).size + " " + new Holder((List<String>) null).size + " " + new Holder((Object) null).size);
    }
}
