// Dense switches (tableswitch): returns, breaks, negative and shifted ranges.
public class TableSwitch {
    static String dayName(int d) {
        switch (d) {
        case 1:
            return "Mon";
        case 2:
            return "Tue";
        case 3:
            return "Wed";
        case 4:
            return "Thu";
        case 5:
            return "Fri";
        case 6:
            return "Sat";
        case 7:
            return "Sun";
        default:
            return "?";
        }
    }

    static int weight(int v) {
        int w;
        switch (v) {
        case -2:
            w = 20;
            break;
        case -1:
            w = 10;
            break;
        case 0:
            w = 0;
            break;
        case 1:
            w = 11;
            break;
        case 2:
            w = 22;
            break;
        default:
            w = v * 100;
        }
        return w;
    }

    static int noDefault(char c) {
        int score = 1;
        switch (c) {
        case 'a':
            score = 5;
            break;
        case 'b':
            score = 7;
            break;
        case 'c':
            score += 2;
            break;
        case 'd':
            score *= 9;
        }
        return score;
    }

    public static void main(String[] args) {
        StringBuilder sb = new StringBuilder();
        for (int d = 0; d <= 8; d++) {
            sb.append(dayName(d)).append(' ');
        }
        System.out.println(sb.toString().trim());
        for (int v = -3; v <= 3; v++) {
            System.out.print(weight(v) + " ");
        }
        System.out.println();
        String letters = "abcdez";
        for (int i = 0; i < letters.length(); i++) {
            System.out.print(noDefault(letters.charAt(i)));
        }
        System.out.println();
        byte b = 3;
        switch (b) {
        case 1:
        case 2:
            System.out.println("small");
            break;
        case 3:
        case 4:
            System.out.println("medium");
            break;
        default:
            System.out.println("large");
        }
    }
}
