// if/else-if chains, nested ifs without else, early returns.
public class IfElseChains {
    static String grade(int score) {
        if (score >= 90) {
            return "A";
        } else if (score >= 80) {
            return "B";
        } else if (score >= 70) {
            return "C";
        } else if (score >= 60) {
            return "D";
        }
        return "F";
    }

    static String classify(int x, int y) {
        String where;
        if (x == 0 && y == 0) {
            where = "origin";
        } else if (x == 0) {
            where = "y-axis";
        } else if (y == 0) {
            where = "x-axis";
        } else {
            if (x > 0) {
                if (y > 0)
                    where = "I";
                else
                    where = "IV";
            } else {
                where = y > 0 ? "II" : "III";
            }
        }
        return where;
    }

    static int clamp(int v, int lo, int hi) {
        if (v < lo)
            v = lo;
        if (v > hi)
            v = hi;
        return v;
    }

    static void describe(Object o) {
        if (o == null) {
            System.out.println("null");
            return;
        }
        if (o instanceof Integer) {
            int n = ((Integer) o).intValue();
            if (n < 0) {
                System.out.println("negative int");
            } else {
                System.out.println("int " + n);
            }
        } else if (o instanceof String) {
            System.out.println("string of " + ((String) o).length());
        } else {
            System.out.println("other " + o.getClass().getName());
        }
    }

    public static void main(String[] args) {
        int[] scores = { 95, 85, 75, 65, 55, 90, 60 };
        StringBuilder sb = new StringBuilder();
        for (int i = 0; i < scores.length; i++) {
            sb.append(grade(scores[i]));
        }
        System.out.println(sb);
        int[][] points = { { 0, 0 }, { 0, 3 }, { 2, 0 }, { 1, 1 }, { -1, 1 }, { -1, -1 }, { 1, -1 } };
        for (int[] p : points) {
            System.out.println(p[0] + "," + p[1] + " -> " + classify(p[0], p[1]));
        }
        System.out.println(clamp(-5, 0, 10) + " " + clamp(5, 0, 10) + " " + clamp(50, 0, 10));
        describe(null);
        describe(Integer.valueOf(-4));
        describe(Integer.valueOf(12));
        describe("hello");
        describe(Long.valueOf(3));
        int count = 0;
        for (int i = 0; i < 20; i++) {
            if (i % 3 == 0)
                continue;
            if (i % 5 == 0) {
                count += 10;
            } else if (i % 2 == 0) {
                count--;
            } else
                count++;
        }
        System.out.println("count " + count);
    }
}
