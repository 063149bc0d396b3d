// Member classes whose names hide a java.lang or imported class, and locals
// and parameters named like fields.
import java.util.ArrayList;
import java.util.List;

public class TypeShadowing {
    static class String {
        final java.lang.String text;

        String(java.lang.String text) { this.text = text; }

        public java.lang.String toString() { return "S(" + text + ")"; }
    }

    static class Integer {
        int v = 42;
    }

    static class Inner {
        static class List {
            int size() { return -1; }
        }

        int sizes(java.util.List<java.lang.String> real) {
            return real.size() + new List().size();
        }
    }

    int size = 3;
    static java.lang.String name = "shadow";

    int sum(int size) {
        return size + this.size;
    }

    static java.lang.String greet(java.lang.String name) {
        return name + TypeShadowing.name;
    }

    public static void main(java.lang.String[] args) {
        String s = new String("x");
        java.lang.String t = "y";
        System.out.println(s + t + new Integer().v + java.lang.Integer.valueOf(7));
        List<java.lang.String> list = new ArrayList<>();
        list.add("a");
        System.out.println(new Inner().sizes(list));
        System.out.println(new TypeShadowing().sum(4) + greet("n"));
    }
}
