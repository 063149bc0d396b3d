// Instance fields of every type with initializers, shadowing by parameters
// and locals, field access on other instances and through this.
public class InstanceFields {
    boolean flag = true;
    byte b = 1;
    short s = 2;
    char c = 'c';
    int i = 4;
    long l = 5L;
    float f = 6.5f;
    double d = 7.25;
    String name;
    InstanceFields next;
    int[] values = { 1, 2, 3 };
    final int id;
    static int ids;

    InstanceFields(String name) {
        this.name = name;
        id = ++ids;
    }

    void rename(String name) {
        String old = this.name;
        this.name = name + "<" + old;
    }

    int sumWith(InstanceFields other) {
        int i = 100;
        return this.i + other.i + i + values[0] + other.values[2];
    }

    String chain() {
        StringBuilder sb = new StringBuilder();
        for (InstanceFields n = this; n != null; n = n.next)
            sb.append(n.name).append('#').append(n.id).append(' ');
        return sb.toString().trim();
    }

    public static void main(String[] args) {
        InstanceFields a = new InstanceFields("a");
        InstanceFields b = new InstanceFields("b");
        a.next = b;
        b.next = new InstanceFields("c");
        System.out.println(a.flag + " " + a.b + " " + a.s + " " + a.c + " " + a.i + " " + a.l + " " + a.f + " " + a.d);
        b.i = 40;
        b.values[2] = 30;
        System.out.println(a.sumWith(b) + " " + b.sumWith(a));
        a.rename("A");
        System.out.println(a.chain());
        a.next.next.name = "C";
        a.next.i += a.next.next.id;
        System.out.println(a.chain() + " " + b.i);
        a.flag = !a.flag;
        a.c++;
        a.d /= 2;
        a.values = new int[] { 9 };
        System.out.println(a.flag + " " + a.c + " " + a.d + " " + a.values.length + " " + (a.next.next.next == null));
    }
}
