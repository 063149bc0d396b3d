// Local classes capturing values, in instance and static methods.
public class LocalClasses {
    private int offset = 100;

    int instanceLocal(final int k) {
        class Adder {
            int extra;

            Adder(int extra) {
                this.extra = extra;
            }

            int add(int v) {
                return v + k + extra + offset;
            }
        }
        Adder a = new Adder(3);
        return a.add(1) + new Adder(5).add(2);
    }

    static String staticLocal(final String word, final int times) {
        class Repeater {
            String run() {
                StringBuilder sb = new StringBuilder();
                for (int i = 0; i < times; i++) sb.append(word);
                return sb.toString();
            }
        }
        return new Repeater().run();
    }

    static int noCapture() {
        class Square {
            int of(int v) {
                return v * v;
            }
        }
        return new Square().of(9);
    }

    public static void main(String[] args) {
        LocalClasses l = new LocalClasses();
        System.out.println(l.instanceLocal(10));
        System.out.println(staticLocal("ab", 3));
        System.out.println(noCapture());
    }
}
