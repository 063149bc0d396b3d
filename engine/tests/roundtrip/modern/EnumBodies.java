// dialect: modern
import java.util.ArrayList;
import java.util.List;

// Enums: constructor arguments, constant bodies, abstract methods, nested
// enums, interfaces, static state, and the generated values/valueOf.
public class EnumBodies {
    interface Shape {
        double area(double size);
    }

    enum Planet implements Shape {
        MERCURY(3.303e+23, 2.4397e6),
        EARTH(5.976e+24, 6.37814e6) {
            @Override
            public String toString() {
                return "home";
            }
        },
        JUPITER(1.9e+27, 7.1492e7);

        private final double mass;
        private final double radius;
        static final List<String> NAMES = new ArrayList<>();

        static {
            for (Planet p : values()) NAMES.add(p.name().toLowerCase());
        }

        Planet(double mass, double radius) {
            this.mass = mass;
            this.radius = radius;
        }

        double gravity() {
            return 6.673e-11 * mass / (radius * radius);
        }

        public double area(double size) {
            return size * radius;
        }
    }

    enum Op {
        PLUS("+") {
            int apply(int a, int b) { return a + b; }
        },
        TIMES("*") {
            int apply(int a, int b) { return a * b; }
        };

        final String symbol;

        Op(String symbol) { this.symbol = symbol; }

        abstract int apply(int a, int b);

        enum Kind { UNARY, BINARY }
    }

    enum Empty {}

    // Constructors that call each other pass on the name and ordinal unseen.
    enum Unit {
        ONE, TWO(2), MANY(10, "many");

        final int size;
        final String label;

        Unit() { this(1); }

        Unit(int size) { this(size, "n" + size); }

        Unit(int size, String label) {
            this.size = size;
            this.label = label;
        }
    }

    enum Level {
        LOW, MEDIUM, HIGH;

        Level next() {
            return values()[(ordinal() + 1) % values().length];
        }
    }

    static String describe(Level level) {
        switch (level) {
        case LOW: return "low";
        case HIGH: return "high";
        default: return "other";
        }
    }

    public static void main(String[] args) {
        for (Planet p : Planet.values()) {
            System.out.println(p + " " + p.ordinal() + " " + (long) p.gravity() + " " + (long) p.area(2));
        }
        System.out.println(Planet.NAMES);
        for (Op op : Op.values()) System.out.println(op.name() + op.symbol + op.apply(6, 7));
        System.out.println(Op.valueOf("TIMES").apply(3, 4) + " " + Op.Kind.valueOf("BINARY").ordinal());
        System.out.println(Empty.values().length);
        for (Unit u : Unit.values()) System.out.println(u + " " + u.ordinal() + " " + u.size + " " + u.label);
        for (Level l : Level.values()) System.out.println(l + "->" + l.next() + " " + describe(l));
        System.out.println(Planet.EARTH.getClass() == Planet.class);
        System.out.println(Planet.EARTH.getDeclaringClass().getSimpleName());
    }
}
