// String concatenation with every primitive type, null, objects, chars and
// constants, including concatenation inside loops and compound +=.
public class ConcatAllTypes {
    static final String PREFIX = "pre";
    static final int SIZE = 3;
    String name = "obj";

    public String toString() {
        return "ConcatAllTypes(" + name + ")";
    }

    public static void main(String[] args) {
        boolean z = true;
        byte b = -8;
        short s = 300;
        char c = 'q';
        int i = 42;
        long l = 1234567890123L;
        float f = 1.25f;
        double d = -0.5;
        Object nothing = null;
        String str = null;
        System.out.println("z=" + z + " b=" + b + " s=" + s + " c=" + c + " i=" + i
                + " l=" + l + " f=" + f + " d=" + d + " o=" + nothing + " str=" + str);
        System.out.println(i + l + "|" + c + i + "|" + (c + i) + "|" + f + d);
        System.out.println(c + "" + c);
        System.out.println("" + c + c + (char) (c + 1));
        System.out.println(PREFIX + SIZE + "-" + PREFIX.length());
        ConcatAllTypes o = new ConcatAllTypes();
        System.out.println("object " + o + " " + o.name.toUpperCase());
        int[] arr = { 1, 2 };
        System.out.println("len " + arr.length + " first " + arr[0] + arr[1]);
        String acc = "";
        for (int k = 0; k < 5; k++) {
            acc += k;
            acc = acc + ',';
        }
        System.out.println(acc);
        String t = "x";
        t += 'y' + 1;
        t += "" + 'y' + 1;
        System.out.println(t);
        System.out.println(1 + 2 + "3" + 4 + 5);
        System.out.println("\t" + z + '\n' + "end");
        StringBuilder sb = new StringBuilder("sb:");
        sb.append(i).append(',').append(l).append(',').append(z).append(',').append(d).append(',').append((Object) null);
        System.out.println(sb);
        String ternary = "v=" + (i > 40 ? "big" : "small") + (nothing == null);
        System.out.println(ternary);
        System.out.println(String.valueOf(c) + i + "" + null);
        Integer boxed = 7;
        Long boxedL = 8L;
        System.out.println("boxed " + boxed + boxedL + " " + (boxed + 1));
        System.out.println(str + str + 1);
    }
}
