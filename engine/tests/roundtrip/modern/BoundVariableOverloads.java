// dialect: modern
import java.io.IOException;
import java.util.Arrays;
import java.util.Iterator;

// An overload taking a subtype delegates to the generic one whose
// parameter is a bounded type variable: the call must keep selecting the
// generic method, or it calls itself.
public class BoundVariableOverloads {
    static final String SEPARATOR = ", ";

    static <A extends Appendable> A appendTo(A appendable, Iterator<?> parts) throws IOException {
        boolean first = true;
        while (parts.hasNext()) {
            if (!first) appendable.append(SEPARATOR);
            appendable.append(String.valueOf(parts.next()));
            first = false;
        }
        return appendable;
    }

    static StringBuilder appendTo(StringBuilder builder, Iterator<?> parts) {
        try {
            appendTo((Appendable) builder, parts);
        } catch (IOException impossible) {
            throw new AssertionError(impossible);
        }
        return builder;
    }

    static <T extends CharSequence> int measure(T text) {
        return text.length();
    }

    static int measure(String text) {
        return 100 + measure((CharSequence) text);
    }

    public static void main(String[] args) {
        System.out.println(appendTo(new StringBuilder("["), Arrays.asList(1, 2, 3).iterator()).append("]"));
        System.out.println(measure("abc") + " " + measure(new StringBuilder("xy")));
    }
}
