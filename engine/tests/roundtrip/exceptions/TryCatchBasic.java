// try/catch with several catch clauses, catch order and the exception value.
public class TryCatchBasic {
    static int parseOr(String s, int fallback) {
        try {
            return Integer.parseInt(s);
        } catch (NumberFormatException e) {
            return fallback;
        }
    }

    static String classify(Object[] arr, int index) {
        String result;
        try {
            Object o = arr[index];
            result = "len " + o.toString().length();
        } catch (ArrayIndexOutOfBoundsException e) {
            result = "bad index";
        } catch (NullPointerException e) {
            result = "null";
        } catch (RuntimeException e) {
            result = "runtime " + e.getClass().getName();
        }
        return result;
    }

    static int divide(int a, int b) {
        int r = -1;
        try {
            r = a / b;
            System.out.println("divided " + a + " by " + b);
        } catch (ArithmeticException ex) {
            System.out.println("caught " + ex.getMessage());
        }
        return r;
    }

    public static void main(String[] args) {
        System.out.println(parseOr("123", 0) + " " + parseOr("12x", -1) + " " + parseOr("", 7));
        Object[] arr = { "abc", null, Integer.valueOf(12345) };
        for (int i = 0; i <= 3; i++) {
            System.out.println(i + ": " + classify(arr, i));
        }
        System.out.println(divide(10, 3) + " " + divide(1, 0));
        int errors = 0;
        String[] inputs = { "1", "two", "3", null, "-4" };
        int sum = 0;
        for (String s : inputs) {
            try {
                sum += Integer.parseInt(s.trim());
            } catch (NumberFormatException e) {
                errors++;
            } catch (NullPointerException e) {
                errors += 10;
            }
        }
        System.out.println("sum " + sum + " errors " + errors);
        try {
            Object o = "text";
            Integer bad = (Integer) o;
            System.out.println(bad);
        } catch (ClassCastException e) {
            System.out.println("class cast");
        }
    }
}
