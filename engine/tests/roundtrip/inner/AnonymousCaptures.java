// Anonymous classes capturing locals, parameters and the enclosing
// instance, with arguments for their superclass.
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collections;
import java.util.Comparator;
import java.util.List;

public class AnonymousCaptures {
    private int base = 7;
    private String name = "caps";

    interface Counter {
        int next();
    }

    static abstract class Shape {
        final String label;
        final int sides;

        Shape(String label, int sides) {
            this.label = label;
            this.sides = sides;
        }

        abstract double area();

        String describe() {
            return label + "/" + sides + "/" + area();
        }
    }

    Runnable printer(final int k, String prefix) {
        final String text = prefix + "-" + k;
        return new Runnable() {
            public void run() {
                System.out.println(text + " " + k + " " + base + " " + name.length());
            }
        };
    }

    Counter counter(final int start, final int step) {
        return new Counter() {
            private int value = start;

            public int next() {
                int current = value;
                value += step;
                return current + base;
            }
        };
    }

    static Shape square(final double side) {
        return new Shape("square", 4) {
            double area() {
                return side * side;
            }
        };
    }

    Shape polygon(int n, final double r) {
        String label = "poly" + n;
        return new Shape(label, n * 2) {
            double area() {
                return r * sides + base;
            }

            String describe() {
                return "[" + super.describe() + "]";
            }
        };
    }

    static List sorted(List input, final boolean descending) {
        List copy = new ArrayList(input);
        Collections.sort(copy, new Comparator() {
            public int compare(Object a, Object b) {
                int c = ((String) a).compareTo((String) b);
                return descending ? -c : c;
            }
        });
        return copy;
    }

    int sumWith(final int[] values) {
        Counter c = new Counter() {
            int index;

            public int next() {
                return index < values.length ? values[index++] : -1;
            }
        };
        int total = 0;
        for (int v = c.next(); v >= 0; v = c.next()) total += v;
        return total;
    }

    public static void main(String[] args) {
        AnonymousCaptures a = new AnonymousCaptures();
        a.printer(3, "p").run();
        Counter c = a.counter(10, 5);
        System.out.println(c.next() + " " + c.next() + " " + c.next());
        System.out.println(square(1.5).describe());
        System.out.println(a.polygon(3, 2.0).describe());
        List words = Arrays.asList(new String[] {"pear", "apple", "fig"});
        System.out.println(sorted(words, false) + " " + sorted(words, true));
        System.out.println(a.sumWith(new int[] {1, 2, 3, 4}));
    }
}
