// Reference-typed locals whose type only their values and uses tell:
// slots reused for unrelated array and object types, null first and a value
// later, conditionals of two subtypes, interface-typed locals, and arrays of
// arrays handed to methods. Most live between branch targets, so no stack
// map frame names their type.
import java.util.ArrayList;
import java.util.LinkedList;
import java.util.List;

public class RefLocals {
    static abstract class Shape {
        abstract String name();
    }

    static class Square extends Shape {
        String name() { return "square"; }
    }

    static class Circle extends Shape {
        String name() { return "circle"; }
    }

    static int total(int[][] rows) {
        int sum = 0;
        for (int[] row : rows)
            for (int v : row)
                sum += v;
        return sum;
    }

    static String join(Object[][] cells) {
        StringBuilder sb = new StringBuilder();
        for (Object[] row : cells) {
            if (row == null) {
                sb.append('-');
                continue;
            }
            for (Object cell : row)
                sb.append(cell).append(';');
        }
        return sb.toString();
    }

    static String describe(Shape shape) { return "<" + shape.name() + ">"; }

    static String reuse(int n) {
        String out;
        {
            int[][] grid = new int[n][n + 1];
            grid[1][2] = 7;
            out = total(grid) + " " + grid[1].length;
        }
        {
            String[][] names = new String[2][];
            names[1] = new String[] { "a", "b" };
            out = out + " " + join(names) + names[0];
        }
        {
            Object single = Integer.valueOf(n);
            out = out + " " + single.hashCode();
        }
        return out;
    }

    static String pick(boolean round) {
        Shape shape = round ? new Circle() : new Square();
        String text = shape.name() + describe(shape);
        return text;
    }

    static String nullFirst(int n) {
        long[] values = null;
        String before = "" + values;
        values = new long[n];
        values[n - 1] = 5L;
        return before + " " + values.length + " " + values[n - 1];
    }

    static String nullThenBranch(int n) {
        char[][] lines = null;
        if (n > 1)
            lines = new char[n][2];
        return lines == null ? "none" : lines.length + "x" + lines[0].length;
    }

    static String viaInterface() {
        CharSequence seq = "abc";
        int n = seq.length();
        seq = new StringBuilder("wxyz");
        n = n * 10 + seq.length();
        List list = new ArrayList();
        list.add("x");
        list = new LinkedList(list);
        list.add("y");
        return n + " " + list + " " + seq.charAt(1);
    }

    static String storeWider() {
        String result = "ok";
        try {
            Object[] objs = new Integer[1];
            objs[0] = "text";
            result = "stored " + objs[0];
        } catch (ArrayStoreException e) {
            result = "array store";
        }
        Object[][] mixed = new Number[2][1];
        mixed[0][0] = Integer.valueOf(4);
        mixed[1][0] = Long.valueOf(5L);
        return result + " " + join(mixed);
    }

    static String twoSubtypes(int n) {
        Object any = n > 0 ? (Object) new int[] { n } : "neg";
        String kind = any instanceof int[] ? "ints " + ((int[]) any)[0] : "str " + any;
        Shape[] shapes = n > 2 ? new Square[1] : new Shape[2];
        shapes[0] = n > 2 ? (Shape) new Square() : new Circle();
        return kind + " " + shapes.length + shapes[0].name();
    }

    public static void main(String[] args) {
        System.out.println(reuse(3));
        System.out.println(pick(true) + pick(false));
        System.out.println(nullFirst(2));
        System.out.println(nullThenBranch(1) + " " + nullThenBranch(3));
        System.out.println(viaInterface());
        System.out.println(storeWider());
        System.out.println(twoSubtypes(1) + " " + twoSubtypes(3) + " " + twoSubtypes(-1));
    }
}
