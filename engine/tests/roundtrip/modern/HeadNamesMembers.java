// dialect: modern
import java.util.ArrayList;

// release: 17
// A class's head names its own member classes, which are in scope only in
// its body: the supertypes' type arguments, a type parameter's bound and
// the permitted subclasses.
public class HeadNamesMembers extends ArrayList<HeadNamesMembers.Item> implements Comparable<HeadNamesMembers.Item> {
    static class Item {
        final String name;
        Item(String name) { this.name = name; }
        public String toString() { return "item " + name; }
    }

    static class Holder<T extends Holder.Part> {
        static class Part { public String toString() { return "part"; } }
        T held;
    }

    sealed interface Shape permits Shape.Circle, Shape.Square {
        record Circle(int r) implements Shape {}
        record Square(int side) implements Shape {}
    }

    static int area(Shape s) {
        if (s instanceof Shape.Circle c) return 3 * c.r() * c.r();
        return ((Shape.Square) s).side() * ((Shape.Square) s).side();
    }

    public int compareTo(Item other) { return size() - other.name.length(); }

    public static void main(String[] args) {
        HeadNamesMembers list = new HeadNamesMembers();
        list.add(new Item("a"));
        list.add(new Item("bb"));
        System.out.println(list + " " + list.compareTo(new Item("ccc")));
        Holder<Holder.Part> h = new Holder<>();
        h.held = new Holder.Part();
        System.out.println(h.held);
        System.out.println(area(new Shape.Circle(2)) + " " + area(new Shape.Square(3)));
    }
}
