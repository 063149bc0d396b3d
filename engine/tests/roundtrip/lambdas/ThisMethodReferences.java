import java.util.function.IntSupplier;
import java.util.function.Supplier;

// Method references bound to `this`: the anonymous class that stands for one
// has toString, hashCode and equals of its own, which a plain `this` would
// reach instead of the enclosing instance's.
public class ThisMethodReferences {
    private final String name;

    ThisMethodReferences(String name) {
        this.name = name;
    }

    public String toString() {
        return "ThisMethodReferences(" + name + ")";
    }

    public int hashCode() {
        return name.length() * 31;
    }

    private String secret() {
        return "secret of " + name;
    }

    String shout() {
        return name.toUpperCase();
    }

    class Member {
        public String toString() {
            return "Member of " + name;
        }

        Supplier<String> own() {
            return this::toString;
        }

        Supplier<String> outer() {
            return ThisMethodReferences.this::toString;
        }
    }

    Supplier<Supplier<String>> nested() {
        return () -> this::secret;
    }

    void show() {
        Supplier<String> text = this::toString;
        IntSupplier hash = this::hashCode;
        Supplier<String> hidden = this::secret;
        Supplier<String> loud = this::shout;
        java.util.function.Predicate<Object> same = this::equals;
        System.out.println(text.get());
        System.out.println(hash.getAsInt());
        System.out.println(hidden.get());
        System.out.println(loud.get());
        System.out.println(same.test(this) + " " + same.test(text));
        Member m = new Member();
        System.out.println(m.own().get());
        System.out.println(m.outer().get());
        System.out.println(nested().get().get());
    }

    public static void main(String[] args) {
        new ThisMethodReferences("abc").show();
        new ThisMethodReferences("longer name").show();
    }
}
