// Anonymous classes inside anonymous classes and lambdas, in field
// initializers and in static and instance initializers.
import java.util.concurrent.Callable;

public class AnonymousNesting {
    interface Source {
        String get();
    }

    private final String tag;
    private Source fieldSource = new Source() {
        public String get() {
            return "field:" + tag;
        }
    };
    private static Source staticSource = new Source() {
        public String get() {
            return "static";
        }
    };
    private static String fromStaticBlock;
    private String fromInstanceBlock;

    static {
        Source s = new Source() {
            public String get() {
                return "block" + staticSource.get().length();
            }
        };
        fromStaticBlock = s.get();
    }

    {
        final int seed = 4;
        fromInstanceBlock = new Source() {
            public String get() {
                return "init" + seed;
            }
        }.get();
    }

    AnonymousNesting(String tag) {
        this.tag = tag;
    }

    Source twoLevels(final int depth) {
        return new Source() {
            public String get() {
                final String inner = "d" + depth;
                Source nested = new Source() {
                    public String get() {
                        return inner + "/" + depth + "/" + tag;
                    }
                };
                return "outer(" + nested.get() + ")";
            }
        };
    }

    Callable viaLambda(final String word) {
        Callable call = () -> new Source() {
            public String get() {
                return word + tag;
            }
        }.get();
        return call;
    }

    Object withInitializer(final int n) {
        return new Object() {
            int doubled;
            {
                doubled = n * 2;
            }

            public String toString() {
                return "doubled=" + doubled;
            }
        };
    }

    public static void main(String[] args) throws Exception {
        AnonymousNesting a = new AnonymousNesting("T");
        System.out.println(a.fieldSource.get() + " " + staticSource.get());
        System.out.println(fromStaticBlock + " " + a.fromInstanceBlock);
        System.out.println(a.twoLevels(2).get());
        System.out.println(a.viaLambda("w").call());
        System.out.println(a.withInitializer(21));
    }
}
