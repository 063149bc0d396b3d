// release: 17
// dialect: modern
// Sealed hierarchies: permits lists, final, sealed and non-sealed
// subclasses, records and enums implementing sealed interfaces.
public class SealedShapes {
    sealed interface Shape permits Circle, Square, Polygon, Dot, Unit {}

    record Circle(double radius) implements Shape {}

    static final class Square implements Shape {
        final double side;
        Square(double side) { this.side = side; }
    }

    static sealed class Polygon implements Shape permits Triangle, Free {
        int corners() { return 0; }
    }

    static final class Triangle extends Polygon {
        int corners() { return 3; }
    }

    static non-sealed class Free extends Polygon {
        int corners() { return 99; }
    }

    static class Hexagon extends Free {
        int corners() { return 6; }
    }

    enum Dot implements Shape { ONE }

    enum Unit implements Shape {
        A { int scale() { return 2; } };
        int scale() { return 1; }
    }

    static String describe(Shape s) {
        if (s instanceof Circle) return "circle " + ((Circle) s).radius();
        if (s instanceof Square) return "square " + ((Square) s).side;
        if (s instanceof Polygon) return "polygon " + ((Polygon) s).corners();
        if (s instanceof Unit) return "unit " + ((Unit) s).scale();
        return "dot";
    }

    public static void main(String[] args) {
        Shape[] shapes = {new Circle(1.5), new Square(2), new Triangle(), new Free(), new Hexagon(), Dot.ONE, Unit.A};
        for (Shape s : shapes) System.out.println(describe(s));
        System.out.println(Shape.class.isSealed() + " " + Polygon.class.isSealed() + " " + Free.class.isSealed());
    }
}
