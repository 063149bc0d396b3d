// String constants holding a lone surrogate print as a sum with a (char)
// term, which must stay one operand where a member is taken of it.
public class LoneSurrogates {
    static final String HIGH = "a\ud800b";

    static int lengths() {
        return "x\ud800y".length() * 100 + "p\udc00".toCharArray().length * 10 + HIGH.indexOf('b');
    }

    public static void main(String[] args) {
        String s = "q\ud801";
        System.out.println(lengths() + " " + (s + 1).length() + " " + "z\udbff".charAt(1) / 1000 + " " + HIGH.hashCode());
    }
}
