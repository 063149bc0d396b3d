import java.util.ArrayList;

// super.method() calls to the JDK superclass from overriding methods, and
// calls to overridden methods through this.
public class SuperCalls extends ArrayList<Object> {
    private int adds;

    public boolean add(Object o) {
        adds++;
        if (o == null)
            return false;
        return super.add(o);
    }

    public Object get(int index) {
        Object o = super.get(index);
        return o instanceof String ? ((String) o).toUpperCase() : o;
    }

    public String toString() {
        return "SuperCalls" + super.toString() + " adds=" + adds;
    }

    public int hashCode() {
        return super.hashCode() ^ 0x5a5a;
    }

    public boolean equals(Object o) {
        return o instanceof SuperCalls && super.equals(o);
    }

    public void clear() {
        adds = 0;
        super.clear();
    }

    int countStrings() {
        int n = 0;
        for (int i = 0; i < size(); i++) {
            if (super.get(i) instanceof String)
                n++;
        }
        return n;
    }

    public static void main(String[] args) {
        SuperCalls s = new SuperCalls();
        s.add("a");
        s.add(null);
        s.add(Integer.valueOf(3));
        s.add("bc");
        System.out.println(s + " " + s.get(0) + s.get(1) + s.get(2) + " strings " + s.countStrings());
        SuperCalls t = new SuperCalls();
        t.add("a");
        t.add(3);
        t.add("bc");
        ArrayList<Object> plain = new ArrayList<Object>(t);
        System.out.println(s.equals(t) + " " + t.equals(plain) + " " + plain.equals(t) + " " + (s.hashCode() == t.hashCode()));
        s.clear();
        System.out.println(s + " " + s.isEmpty());
    }
}
