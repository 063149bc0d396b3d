// char values: literals, arithmetic, chars above 0xFF and the char/int boundary.
public class CharLiterals {
    static char next(char c) {
        return (char) (c + 1);
    }

    static boolean isHex(char c) {
        return c >= '0' && c <= '9' || c >= 'a' && c <= 'f' || c >= 'A' && c <= 'F';
    }

    static int hexValue(char c) {
        if (c <= '9')
            return c - '0';
        if (c >= 'a')
            return c - 'a' + 10;
        return c - 'A' + 10;
    }

    public static void main(String[] args) {
        char a = 'a';
        char z = 'z';
        System.out.println(a + " " + z + " " + (z - a) + " " + next(a) + next(z) + " " + (char) (a - 32));
        char[] specials = { ' ', '\t', '\'', '\\', '"', '\0', '\u0001', '\u007f', '\u0080', '\u00ff', '\u0100', '\u03a9', '\uffff' };
        int sum = 0;
        for (char c : specials)
            sum += c;
        System.out.println("sum " + sum + " " + (int) specials[11] + " " + (int) specials[12]);
        String hex = "1aF9";
        int value = 0;
        for (int i = 0; i < hex.length(); i++) {
            char c = hex.charAt(i);
            if (isHex(c))
                value = value * 16 + hexValue(c);
        }
        System.out.println("hex " + value + " " + isHex('g') + isHex('A'));
        char c = 65;
        c += 1;
        c++;
        int asInt = c;
        System.out.println(c + " " + asInt + " " + (c > 'B') + " " + (char) 0x263a + "".length());
        char omega = '\u03a9';
        System.out.println((int) omega + " " + Character.isLetter(omega) + " " + Character.toLowerCase(omega + 0) + " " + (int) Character.toLowerCase(omega));
        StringBuilder sb = new StringBuilder();
        for (char x = 'A'; x <= 'E'; x += 2)
            sb.append(x);
        sb.append((char) 48).append('\u0031');
        System.out.println(sb);
        char max = Character.MAX_VALUE;
        max++;
        System.out.println((int) max + " " + (int) Character.MIN_VALUE + " " + (int) (char) -1);
        switch (hex.charAt(1)) {
        case 'a':
            System.out.println("lower a");
            break;
        case '\u00e9':
            System.out.println("e acute");
            break;
        default:
            System.out.println("other");
        }
    }
}
