// release: 17
// dialect: modern
// Local records, enums and interfaces: static wherever they stand.
public class LocalStaticKinds {
    static String records(int n) {
        record Point(int x, int y) {
            int sum() { return x + y; }
        }
        Point p = new Point(n, n * 2);
        return p + " " + p.sum();
    }

    String enums(String name) {
        enum Color { RED, GREEN, BLUE }
        Color c = Color.valueOf(name);
        return c.name() + c.ordinal() + Color.values().length;
    }

    static int interfaces(int v) {
        interface Doubler {
            int twice(int x);
        }
        Doubler d = x -> x * 2;
        return d.twice(v);
    }

    public static void main(String[] args) {
        System.out.println(records(4));
        System.out.println(new LocalStaticKinds().enums("GREEN"));
        System.out.println(interfaces(21));
    }
}
