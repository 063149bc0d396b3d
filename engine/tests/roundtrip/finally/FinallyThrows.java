// finally blocks that throw, that swallow a pending exception, and whose
// effects are visible after a return value was already computed.
public class FinallyThrows {
    static int state;

    @SuppressWarnings("finally")
    static String swallow() {
        try {
            throw new IllegalStateException("lost");
        } finally {
            return "swallowed";
        }
    }

    static void replace() {
        try {
            throw new IllegalStateException("first");
        } finally {
            state++;
            if (state > 0)
                throw new UnsupportedOperationException("second");
        }
    }

    static int computed() {
        int[] box = { 1 };
        try {
            return box[0] * 10;
        } finally {
            box[0] = 5;
            state += box[0];
        }
    }

    static String chain(int mode) {
        StringBuilder sb = new StringBuilder();
        try {
            try {
                sb.append('a');
                if (mode == 0)
                    return sb.append("-early").toString();
                if (mode == 1)
                    throw new RuntimeException("r");
                sb.append('b');
            } finally {
                sb.append('F');
            }
            sb.append('c');
        } catch (RuntimeException e) {
            sb.append("[" + e.getMessage() + "]");
        } finally {
            sb.append('G');
        }
        return sb.toString();
    }

    public static void main(String[] args) {
        System.out.println(swallow());
        try {
            replace();
        } catch (RuntimeException e) {
            System.out.println(e.getClass().getSimpleName() + " " + e.getMessage() + " " + state);
        }
        System.out.println(computed() + " " + state);
        for (int m = 0; m < 3; m++)
            System.out.println(m + " " + chain(m));
    }
}
