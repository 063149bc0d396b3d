// Loops inside finally bodies that leave to the end of the finally body:
// a do-while around a switch, nested loops with labelled exits.
public class FinallyLoopExit {
    static int k;

    static void doSwitch(int p) {
        try {
            k += p;
        } finally {
            int i = 0;
            do {
                i++;
                switch (p) {
                case 1:
                    k += 3;
                    break;
                default:
                    k |= 1;
                }
                k *= 2;
            } while (i < 4);
        }
        k++;
    }

    static int nested(int p) {
        int r = 0;
        try {
            r = p * 2;
        } finally {
            outer:
            for (int i = 0; i < 5; i++) {
                int j = 0;
                while (j < 3) {
                    j++;
                    if (i * j > p) {
                        break outer;
                    }
                    switch (j) {
                    case 2:
                        r += 10;
                        continue;
                    default:
                        r++;
                    }
                }
            }
        }
        return r;
    }

    public static void main(String[] args) {
        for (int p = 0; p < 4; p++) {
            doSwitch(p);
            System.out.println(p + " " + k + " " + nested(p) + " " + nested(p + 5));
        }
    }
}
