// Local classes used in one branch, in a loop, in a constructor and next to
// a field of the same name as a local in scope.
public class LocalClassPlacement {
    private int total = 1;
    private final String made;

    LocalClassPlacement(final String tag) {
        super();
        class Maker {
            String make() { return "<" + tag + ">"; }
        }
        made = new Maker().make();
    }

    int branch(final int k, boolean deep) {
        int total = 40;
        if (deep) {
            class Deep {
                int value() { return k + LocalClassPlacement.this.total; }
            }
            total += new Deep().value();
        }
        return total;
    }

    static String loop(final String[] words) {
        StringBuilder sb = new StringBuilder();
        for (final String w : words) {
            class Wrap {
                String wrapped() { return "[" + w + "]"; }
            }
            sb.append(new Wrap().wrapped());
        }
        return sb.toString();
    }

    public static void main(String[] args) {
        LocalClassPlacement p = new LocalClassPlacement("x");
        System.out.println(p.made + " " + p.branch(2, true) + " " + p.branch(2, false));
        System.out.println(loop(new String[] {"a", "b"}));
    }
}
