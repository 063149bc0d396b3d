// Anonymous classes whose field initializers read the fields before them:
// printed as one initializer, which must come after the fields it reads.
import java.util.ArrayList;
import java.util.Iterator;
import java.util.List;

public class AnonymousFieldOrder {
    static Iterator<String> letters(final List<String> source) {
        return new Iterator<String>() {
            final List<String> copy = new ArrayList<String>(source);
            final Iterator<String> inner = copy.iterator();
            int seen = copy.size() * 10;

            public boolean hasNext() { return inner.hasNext(); }

            public String next() {
                seen++;
                return inner.next() + seen;
            }

            public void remove() { throw new UnsupportedOperationException(); }
        };
    }

    public static void main(String[] args) {
        List<String> in = new ArrayList<String>();
        in.add("a");
        in.add("b");
        StringBuilder out = new StringBuilder();
        for (Iterator<String> it = letters(in); it.hasNext();) out.append(it.next()).append(' ');
        System.out.println(out);
    }
}
