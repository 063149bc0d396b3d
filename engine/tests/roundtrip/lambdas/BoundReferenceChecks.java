import java.util.function.Function;
import java.util.function.Supplier;

// Method references bound to a constructor's parameters, passed to this(...)
// or super(...): the receiver is checked for null where the reference is
// made, before the superclass constructor runs.
public class BoundReferenceChecks {
    static StringBuilder log = new StringBuilder();

    static class Holder {
        final Supplier<String> first;
        final Supplier<String> second;

        Holder(Supplier<String> first, Supplier<String> second) {
            log.append("Holder ");
            this.first = first;
            this.second = second;
        }

        String both() {
            return first.get() + "/" + second.get();
        }
    }

    static class Pair extends Holder {
        Pair(String text) {
            super(text::trim, text::toUpperCase);
        }

        Pair(StringBuilder sb, int unused) {
            super(sb::toString, sb::toString);
        }
    }

    static class Chained extends Holder {
        final int n;

        Chained(String text) {
            this(text, text::length);
        }

        Chained(String text, Supplier<Integer> size) {
            super(text::toLowerCase, () -> "n" + size.get());
            n = size.get();
        }
    }

    class Inner extends Holder {
        Inner(String text) {
            super(text::trim, BoundReferenceChecks.this::name);
        }
    }

    static class Mapped {
        final Function<String, String> f;

        Mapped(String prefix) {
            this(prefix::concat);
        }

        Mapped(Function<String, String> f) {
            this.f = f;
        }
    }

    String name() {
        return "outer";
    }

    static void attempt(String label, Supplier<Object> make) {
        log.setLength(0);
        try {
            Object o = make.get();
            System.out.println(label + ": " + (o instanceof Holder ? ((Holder) o).both() : o) + " [" + log + "]");
        } catch (NullPointerException e) {
            System.out.println(label + ": NullPointerException [" + log + "]");
        }
    }

    public static void main(String[] args) {
        attempt("pair", () -> new Pair("  Mixed Case  "));
        attempt("pair null", () -> new Pair(null));
        attempt("builder", () -> new Pair(new StringBuilder("abc"), 0));
        attempt("builder null", () -> new Pair((StringBuilder) null, 0));
        attempt("chained", () -> new Chained("HeLLo"));
        attempt("chained null", () -> new Chained(null));
        attempt("inner", () -> new BoundReferenceChecks().new Inner(" in "));
        attempt("inner null", () -> new BoundReferenceChecks().new Inner(null));
        attempt("mapped", () -> new Mapped("pre-").f.apply("fix"));
        attempt("mapped null", () -> new Mapped((String) null));
    }
}
