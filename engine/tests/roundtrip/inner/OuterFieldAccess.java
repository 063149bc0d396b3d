// Inner classes reading and writing the private fields of their outer class.
public class OuterFieldAccess {
    private int count;
    private long total = 10L;
    private String label = "start";
    private static int created;
    private static double scale = 1.5;
    private int[] slots = new int[3];

    class Counter {
        private int own;

        int bump() {
            count++;
            ++count;
            own = count;
            return count++;
        }

        long add(long amount) {
            total += amount;
            total -= 1;
            return total *= 2;
        }

        String rename(String suffix) {
            label = label + suffix;
            label += "!";
            return label;
        }

        int statics() {
            created++;
            created += 3;
            int before = created--;
            scale *= 2;
            return before + created + (int) scale;
        }

        int preDecrement() {
            return --count + own;
        }

        int assignChain() {
            int a = count = 7;
            slots[1] = a;
            slots[2] += a;
            return a + slots[1] + slots[2];
        }
    }

    static class Nested {
        private int hidden = 4;
        private static int shared = 2;

        int peek(OuterFieldAccess o) {
            return o.count + o.slots.length + created;
        }
    }

    int readNested(Nested n) {
        n.hidden += 5;
        Nested.shared++;
        return n.hidden * 10 + Nested.shared;
    }

    public static void main(String[] args) {
        OuterFieldAccess o = new OuterFieldAccess();
        Counter c = o.new Counter();
        System.out.println(c.bump() + " " + c.bump() + " " + o.count);
        System.out.println(c.add(5) + " " + c.add(-3) + " " + o.total);
        System.out.println(c.rename("-a") + " " + c.rename("-b"));
        System.out.println(c.statics() + " " + c.statics() + " " + created + " " + scale);
        System.out.println(c.preDecrement() + " " + c.assignChain());
        Nested n = new Nested();
        System.out.println(n.peek(o) + " " + o.readNested(n) + " " + o.readNested(n));
    }
}
