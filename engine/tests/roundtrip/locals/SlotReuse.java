// Local variable slots reused by variables of different types in sibling
// scopes; without debug info the decompiler must split them.
public class SlotReuse {
    static String run(int mode) {
        String result;
        if (mode == 0) {
            int count = 3;
            for (int i = 0; i < count; i++)
                count += i == 0 ? 1 : 0;
            result = "int " + count;
        } else if (mode == 1) {
            double ratio = 2.5;
            ratio *= ratio;
            result = "double " + ratio;
        } else if (mode == 2) {
            String text = "str";
            text = text + text.length();
            result = text;
        } else {
            long big = 1L << 40;
            char tag = 'L';
            result = tag + "" + big;
        }
        return result;
    }

    public static void main(String[] args) {
        for (int m = 0; m < 4; m++) {
            System.out.println(run(m));
        }
        {
            int x = 10;
            System.out.println("block int " + (x * 2));
        }
        {
            String x = "ten";
            System.out.println("block string " + x.toUpperCase());
        }
        {
            float x = 1.5f;
            System.out.println("block float " + (x + x));
        }
        for (int i = 0; i < 2; i++) {
            System.out.print("loop " + i + " ");
        }
        for (long i = 5; i < 7; i++) {
            System.out.print("long " + i + " ");
        }
        for (char i = 'p'; i < 'r'; i++) {
            System.out.print("char " + i + " ");
        }
        System.out.println();
        Object o = "first";
        System.out.println(o);
        o = Integer.valueOf(2);
        System.out.println(o);
        int a = 1;
        a = a + 1;
        boolean done = a > 1;
        if (done) {
            byte small = 7;
            System.out.println("small " + small);
        } else {
            double dd = 0.25;
            System.out.println("dd " + dd);
        }
        try {
            int[] arr = new int[1];
            arr[2] = 1;
        } catch (ArrayIndexOutOfBoundsException e) {
            String msg = "caught";
            System.out.println(msg);
        }
        String after = "after";
        System.out.println(after);
    }
}
