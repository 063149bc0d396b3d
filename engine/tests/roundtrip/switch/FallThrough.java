// Fall-through between cases, cases sharing one body, and switches whose
// cases return, throw or continue.
public class FallThrough {
    static String verse(int n) {
        StringBuilder sb = new StringBuilder();
        switch (n) {
        case 4:
            sb.append("four ");
        case 3:
            sb.append("three ");
        case 2:
            sb.append("two ");
        case 1:
            sb.append("one");
            break;
        default:
            sb.append("none");
        }
        return sb.toString();
    }

    static boolean isVowel(char c) {
        switch (Character.toLowerCase(c)) {
        case 'a':
        case 'e':
        case 'i':
        case 'o':
        case 'u':
            return true;
        default:
            return false;
        }
    }

    static int daysIn(int month, boolean leap) {
        switch (month) {
        case 2:
            return leap ? 29 : 28;
        case 4: case 6: case 9: case 11:
            return 30;
        case 1: case 3: case 5: case 7: case 8: case 10: case 12:
            return 31;
        default:
            throw new IllegalArgumentException("month " + month);
        }
    }

    public static void main(String[] args) {
        for (int i = 0; i <= 5; i++) {
            System.out.println(i + ": " + verse(i));
        }
        String text = "Decompilers Are Fun";
        int vowels = 0;
        for (int i = 0; i < text.length(); i++) {
            if (isVowel(text.charAt(i)))
                vowels++;
        }
        System.out.println("vowels " + vowels);
        int sum = 0;
        for (int m = 1; m <= 12; m++) {
            sum += daysIn(m, false);
        }
        System.out.println("year " + sum + " feb leap " + daysIn(2, true));
        try {
            daysIn(13, false);
        } catch (IllegalArgumentException e) {
            System.out.println("caught " + e.getMessage());
        }
        int odd = 0;
        for (int i = 0; i < 10; i++) {
            switch (i % 4) {
            case 0:
                continue;
            case 1:
                odd += 1;
            case 2:
                odd += 10;
                break;
            case 3:
                odd += 100;
            }
            odd++;
        }
        System.out.println("odd " + odd);
    }
}
