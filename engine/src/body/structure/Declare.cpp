#include "body/structure/Declare.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "body/ir/Walk.h"
#include "classfile/Descriptor.h"

namespace jad::body {

bool isReservedWord(const std::string& w) {
    static const std::set<std::string> words = {
        "abstract", "boolean", "break", "byte", "case", "catch", "char", "class", "const", "continue", "default", "do",
        "double", "else", "enum", "extends", "final", "finally", "float", "for", "goto", "if", "implements", "import",
        "instanceof", "int", "interface", "long", "native", "new", "package", "private", "protected", "public",
        "return", "short", "static", "super", "switch", "synchronized", "this", "throw", "throws", "transient", "try",
        "void", "volatile", "while", "true", "false", "null", "cast", "future", "generic", "inner", "operator",
        "outer", "rest", "var", "assert", "strictfp", "_", "record", "yield", "sealed", "permits", "non"};
    return words.count(w) > 0;
}

bool isValidIdentifier(const std::string& w) {
    if (w.empty() || isReservedWord(w)) return false;
    for (size_t i = 0; i < w.size(); ++i) {
        const char c = w[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0)) return false;
    }
    return true;
}

namespace {

struct ListInfo {
    StmtList* parent = nullptr;
    size_t index = 0;  // of the owning statement in the parent
};

struct Site {
    StmtList* list = nullptr;
    size_t index = 0;
    bool statementOnly = false;  // a for-loop's own variable: in scope in that statement alone
};

}  // namespace

std::string localBaseName(const JavaType& type) {
    if (type.isArray()) return "arr";
    switch (type.base) {
    case 'I': return "i";
    case 'J': return "l";
    case 'F': return "f";
    case 'D': return "d";
    case 'Z': return "flag";
    case 'C': return "c";
    case 'B': return "b";
    case 'S': return "sh";
    default: break;
    }
    std::string simple = type.className.substr(type.className.rfind('/') + 1);
    simple = simple.substr(simple.rfind('$') + 1);
    if (simple == "String") return "s";
    if (simple == "Object") return "obj";
    if (simple == "StringBuilder" || simple == "StringBuffer") return "sb";
    if (simple.size() >= 5 && (simple.compare(simple.size() - 5, 5, "Error") == 0 ||
                               (simple.size() >= 9 && simple.compare(simple.size() - 9, 9, "Exception") == 0) ||
                               simple == "Throwable")) return "ex";
    if (simple.find("Iterator") != std::string::npos) return "it";
    if (simple.find("List") != std::string::npos) return "list";
    if (simple.find("Map") != std::string::npos) return "map";
    if (simple.find("Set") != std::string::npos) return "set";
    std::string out;
    for (char c : simple) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9' && !out.empty())) out += c;
    }
    if (out.empty()) return "obj";
    out[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(out[0])));
    if (out.size() > 12 || isReservedWord(out)) return "obj";
    return out;
}

std::string freshName(const std::string& base, const std::set<std::string>& taken) {
    if (isValidIdentifier(base) && !taken.count(base)) return base;
    for (int suffix = 2;; ++suffix) {
        std::string name = base + std::to_string(suffix);
        if (!taken.count(name)) return name;
    }
}

namespace {

class Declarer {
public:
    Declarer(StmtList& body, Budget& budget) : _body(body), _budget(budget) {}

    std::set<std::string> run(const std::vector<VarPtr>& params, const std::set<std::string>* outer) {
        _info[&_body] = {};
        index(_body);
        for (const VarPtr& p : params) {
            if (p) take(p->name, {&_body, 0}, true);
        }
        if (outer) {
            for (const std::string& n : *outer) _taken.insert({n, {{&_body, 0}, true}});
        }
        for (Var* v : _order) place(v);
        for (Var* v : catchVarsInOrder()) name(v, _catchVars[v]);
        for (Var* v : _order) name(v, _declared[v]);
        return std::move(_names);  // run once: the declarer is done with them
    }

private:
    void index(StmtList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            _budget.spend();
            Stmt& s = *list[i];
            if (s.expr) note(*s.expr, {&list, i});
            forEachChildList(s, [&](StmtList& child) {
                _info[&child] = {&list, i};
                index(child);
            });
            for (CatchClause& c : s.catches) {
                if (!c.var) continue;
                if (!_catchVars.count(c.var.get())) _catchVars[c.var.get()] = {&c.body, 0};
                _catchBodies[c.var.get()].push_back(&c.body);
            }
        }
    }

    void note(const Expr& e, Site site) {
        if (e.kind == ExprKind::Local && e.var->kind != VarKind::Parameter && e.var->kind != VarKind::This) {
            auto& sites = _sites[e.var.get()];
            if (sites.empty()) {
                _order.push_back(e.var.get());
                _owners[e.var.get()] = e.var;
            }
            sites.push_back(site);
        }
        for (const ExprPtr& c : e.args) note(*c, site);
    }

    // By creation, not by address: the names must not depend on the heap.
    std::vector<Var*> catchVarsInOrder() const {
        std::vector<Var*> vars;
        for (const auto& entry : _catchVars) vars.push_back(entry.first);
        std::sort(vars.begin(), vars.end(), [](const Var* a, const Var* b) { return a->id < b->id; });
        return vars;
    }

    // The chain of (list, index) from the body down to `site`, into `out`.
    void chain(Site site, std::vector<Site>& out) const {
        out.clear();
        out.push_back(site);
        for (StmtList* l = site.list; l != &_body;) {
            const ListInfo& info = _info.at(l);
            out.push_back({info.parent, info.index});
            l = info.parent;
        }
        std::reverse(out.begin(), out.end());
    }

    // Whether `test` holds for a step of the chain of `site`; walks up from
    // the site without building the chain.
    template <typename Test> bool anyStep(Site site, Test&& test) const {
        for (Site step = site;; ) {
            if (test(step)) return true;
            if (step.list == &_body) return false;
            const ListInfo& info = _info.at(step.list);
            step = {info.parent, info.index};
        }
    }

    void place(Var* v) {
        if (_catchVars.count(v)) {
            checkInside(v, _catchBodies[v]);
            return;
        }
        const auto& sites = _sites[v];
        std::vector<Site> common, other;
        chain(sites[0], common);
        for (size_t k = 1; k < sites.size(); ++k) {
            chain(sites[k], other);
            size_t n = 0;
            while (n < common.size() && n < other.size() && common[n].list == other[n].list) {
                if (common[n].index != other[n].index) {
                    common[n].index = std::min(common[n].index, other[n].index);
                    ++n;
                    break;
                }
                ++n;
            }
            common.resize(n);
        }
        Site at = common.back();
        Stmt& s = *(*at.list)[at.index];
        if (s.kind == StmtKind::Loop && s.loop == LoopKind::For && !s.init.empty() && onlyInside(v, at) &&
            firstAssigns(*s.init[0], v)) {
            s.init[0]->declare.push_back(shared(v));
            _declared[v] = {at.list, at.index, true};
            return;
        }
        s.declare.push_back(shared(v));
        _declared[v] = scopeOf(at);
    }

    // A declaration in a switch arm is in scope in the arms after it too:
    // for naming, its scope is the whole switch.
    Site scopeOf(Site at) const {
        const auto it = _info.find(at.list);
        if (it == _info.end() || !it->second.parent) return at;
        const Stmt& owner = *(*it->second.parent)[it->second.index];
        if (owner.kind != StmtKind::Switch) return at;
        return {it->second.parent, it->second.index, true};
    }

    bool onlyInside(Var* v, Site at) const {
        for (const Site& site : _sites.at(v)) {
            const bool inside = anyStep(site, [&](const Site& step) { return step.list == at.list && step.index == at.index; });
            if (!inside) return false;
        }
        return true;
    }

    static bool firstAssigns(const Stmt& s, const Var* v) {
        return s.kind == StmtKind::Expr && s.expr->kind == ExprKind::Assign && s.expr->args[0]->kind == ExprKind::Local &&
               s.expr->args[0]->var.get() == v && !readsVar(*s.expr->args[1], *v);
    }

    void checkInside(Var* v, const std::vector<StmtList*>& bodies) const {
        for (const Site& site : _sites.at(v)) {
            const bool inside = anyStep(site, [&](const Site& step) {
                return std::find(bodies.begin(), bodies.end(), step.list) != bodies.end();
            });
            if (!inside) throw Unsupported{"catch parameter used outside its handler"};
        }
    }

    VarPtr shared(Var* v) const { return _owners.at(v); }

    bool visibleTogether(Site a, Site b) const {
        return within(a, b) || within(b, a);
    }

    // Whether `pos` lies in the scope of a declaration at `decl`.
    bool within(Site pos, Site decl) const {
        return anyStep(pos, [&](const Site& step) {
            return step.list == decl.list && (decl.statementOnly ? step.index == decl.index : step.index >= decl.index);
        });
    }

    bool free(const std::string& name, Site site) const {
        auto range = _taken.equal_range(name);
        for (auto it = range.first; it != range.second; ++it) {
            if (it->second.global || visibleTogether(site, it->second.site)) return false;
        }
        return true;
    }

    void take(const std::string& n, Site site, bool global) {
        _taken.insert({n, {site, global}});
        _names.insert(n);
    }

    void name(Var* v, Site site) {
        if (!v || !site.list) return;
        if (isValidIdentifier(v->name) && free(v->name, site)) return take(v->name, site, false);
        const std::string base = localBaseName(v->type);
        static const char* const ints[] = {"i", "j", "k", "m", "n"};
        std::vector<std::string> candidates;
        if (base == "i") candidates.assign(std::begin(ints), std::end(ints));
        else candidates.push_back(base);
        for (int suffix = 1; suffix < 100000; ++suffix) {
            for (const std::string& c : candidates) {
                const std::string n = suffix == 1 ? c : c + std::to_string(suffix);
                if (free(n, site)) {
                    v->name = n;
                    return take(n, site, false);
                }
            }
        }
        throw Unsupported{"no free local name"};
    }

    struct Taken {
        Site site;
        bool global;
    };

    StmtList& _body;
    Budget& _budget;
    // Looked up for every node and every step; never iterated, so their
    // order cannot reach the output.
    std::unordered_map<StmtList*, ListInfo> _info;
    std::unordered_map<Var*, std::vector<Site>> _sites;
    std::vector<Var*> _order;
    std::map<Var*, Site> _catchVars, _declared;
    std::map<Var*, std::vector<StmtList*>> _catchBodies;
    std::unordered_map<Var*, VarPtr> _owners;
    std::multimap<std::string, Taken> _taken;
    std::set<std::string> _names;
};

}  // namespace

std::set<std::string> declareLocals(StmtList& body, const std::vector<VarPtr>& params, Budget& budget,
                                    const std::set<std::string>* outer) {
    return Declarer(body, budget).run(params, outer);
}

const std::string& recordedParameterName(const Method& m, size_t index, int slot) {
    static const std::string none;
    const auto type = methodTypeOf(m.descriptor);
    if (type && m.parameters.size() == type->parameters.size() && !m.parameters[index].name.empty()) {
        return m.parameters[index].name;
    }
    if (!m.code) return none;
    for (const auto& local : m.code->locals) {
        if (local.slot == slot && local.startPc == 0) return local.name;
    }
    return none;
}

}  // namespace jad::body
