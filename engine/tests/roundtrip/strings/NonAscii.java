// Non-ASCII text in literals: Latin-1, BMP and supplementary characters;
// printed as code points so the output itself stays ASCII.
public class NonAscii {
    static String codes(String s) {
        StringBuilder sb = new StringBuilder();
        for (int i = 0; i < s.length(); ) {
            int cp = s.codePointAt(i);
            sb.append(Integer.toHexString(cp)).append(' ');
            i += Character.charCount(cp);
        }
        return sb.toString().trim();
    }

    public static void main(String[] args) {
        String latin = "Grüße, façade, naïve";
        String greek = "αβγ Ωμέγα";
        String cjk = "漢字かなカナ";
        String emoji = "smile 😀 ok";
        String mixed = "Zefra™ → ∑ ≤ ∞";
        System.out.println(latin.length() + " " + codes(latin));
        System.out.println(greek.length() + " " + codes(greek));
        System.out.println(cjk.length() + " " + codes(cjk));
        System.out.println(emoji.length() + " " + emoji.codePointCount(0, emoji.length()) + " " + codes(emoji));
        System.out.println(mixed.length() + " " + codes(mixed));
        char e = 'é';
        char euro = '€';
        char max = '\uffff';
        System.out.println((int) e + " " + (int) euro + " " + (int) max + " " + (e < euro));
        System.out.println(latin.toUpperCase().hashCode() + " " + greek.hashCode() + " " + cjk.indexOf('カ'));
        String bom = "\ufeffstart";
        System.out.println(bom.length() + " " + (int) bom.charAt(0));
        String high = "\ud83d\ude00";
        System.out.println(high.equals("😀") + " " + codes(high));
    }
}
