// Constructor chains with this(...) and super(...), field initializers that
// run in every constructor, and constructors of JDK classes with arguments.
public class Constructors extends java.util.AbstractList<String> {
    private final String label;
    private final int size;
    private String[] items = new String[0];
    private int created = ++count;
    static int count;

    public Constructors() {
        this("default");
    }

    public Constructors(String label) {
        this(label, label.length());
    }

    public Constructors(String label, int size) {
        super();
        this.label = label;
        this.size = size;
        items = new String[size];
        for (int i = 0; i < size; i++) {
            items[i] = label.substring(i, i + 1);
        }
    }

    public Constructors(int size) {
        this(size > 0 ? repeat('x', size) : "empty", Math.max(size, 0) / 2);
    }

    static String repeat(char c, int n) {
        StringBuilder sb = new StringBuilder();
        while (n-- > 0)
            sb.append(c);
        return sb.toString();
    }

    public String get(int index) {
        return items[index];
    }

    public int size() {
        return size;
    }

    public String toString() {
        return label + "/" + size + "/" + created + super.toString();
    }

    public static void main(String[] args) {
        System.out.println(new Constructors());
        System.out.println(new Constructors("abc"));
        System.out.println(new Constructors("hello", 2));
        System.out.println(new Constructors(5));
        System.out.println(new Constructors(-1));
        Constructors c = new Constructors("xyz");
        System.out.println(c.get(2) + c.size() + c.isEmpty() + c.contains("y") + c.indexOf("z"));
        StringBuilder sb = new StringBuilder(32);
        Integer boxed = new Integer(12);
        String str = new String(new char[] { 'o', 'k' });
        Object plain = new Object();
        System.out.println(sb.capacity() + " " + boxed + " " + str + " " + (plain != null) + " count " + count);
    }
}
