// Sparse switches (lookupswitch) with large and negative keys.
public class LookupSwitch {
    static String status(int code) {
        switch (code) {
        case 200:
            return "OK";
        case 301:
            return "Moved";
        case 404:
            return "Not Found";
        case 500:
            return "Server Error";
        case -1:
            return "Unknown";
        case 100000:
            return "Huge";
        case Integer.MIN_VALUE:
            return "Min";
        case Integer.MAX_VALUE:
            return "Max";
        }
        return "code " + code;
    }

    static int bucket(int x) {
        int r = 0;
        switch (x) {
        case 10:
            r = 1;
            break;
        case 1000:
            r = 2;
            break;
        case 1000000:
            r = 3;
            break;
        default:
            if (x < 0) {
                r = -1;
            } else {
                r = 99;
            }
            break;
        }
        return r;
    }

    public static void main(String[] args) {
        int[] codes = { 200, 301, 404, 500, -1, 100000, 7, Integer.MIN_VALUE, Integer.MAX_VALUE };
        for (int c : codes) {
            System.out.println(c + " -> " + status(c));
        }
        int[] xs = { 10, 1000, 1000000, -5, 55 };
        for (int i = 0; i < xs.length; i++) {
            System.out.print(bucket(xs[i]) + ";");
        }
        System.out.println();
        long total = 0;
        for (int i = 0; i < 5; i++) {
            int key = i * 1111;
            switch (key) {
            case 0:
                total += 1;
                break;
            case 2222:
                total += 20;
                break;
            case 4444:
                total += 400;
                break;
            default:
                total -= 3;
            }
        }
        System.out.println("total " + total);
    }
}
