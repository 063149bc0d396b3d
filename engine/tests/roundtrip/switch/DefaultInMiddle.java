// default placed between cases, falling into and out of it.
public class DefaultInMiddle {
    static String kind(int x) {
        String s = "";
        switch (x) {
        case 1:
            s += "one ";
            break;
        default:
            s += "other ";
        case 2:
            s += "two-or-after ";
            break;
        case 3:
            s += "three ";
        }
        return s.trim();
    }

    static int code(char c) {
        int r = 0;
        switch (c) {
        case 'x':
            r += 1;
        default:
            r += 10;
            break;
        case 'y':
            r += 100;
        case 'z':
            r += 1000;
        }
        return r;
    }

    static int first(int v) {
        switch (v) {
        default:
            return -v;
        case 0:
            return 100;
        case 5:
            return 500;
        }
    }

    public static void main(String[] args) {
        for (int i = 0; i <= 4; i++) {
            System.out.println(i + " " + kind(i));
        }
        String cs = "xyzw";
        for (int i = 0; i < cs.length(); i++) {
            System.out.print(code(cs.charAt(i)) + " ");
        }
        System.out.println();
        System.out.println(first(0) + " " + first(5) + " " + first(9));
        int acc = 0;
        for (int i = 0; i < 6; i++) {
            switch (i) {
            case 0:
                acc += 1;
                break;
            default:
                acc *= 2;
                break;
            case 4:
                acc -= 3;
            }
        }
        System.out.println("acc " + acc);
    }
}
