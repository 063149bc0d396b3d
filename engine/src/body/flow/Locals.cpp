#include "body/flow/Locals.h"

#include <algorithm>
#include <numeric>

#include "body/decode/FrameTypes.h"
#include "body/decode/Opcodes.h"
#include "classfile/AccessFlags.h"
#include "classfile/Signature.h"
#include "classfile/SignatureCache.h"

namespace jad::body {

LocalAccess localAccess(const Instruction& insn) {
    static const char kinds[] = {'I', 'J', 'F', 'D', 'A'};
    LocalAccess a;
    const uint8_t o = insn.opcode;
    // most instructions touch no local: settle them with one test
    if (o < op::iload || (o > op::astore_3 && o != op::iinc)) return a;
    if (o >= op::iload && o <= op::aload) {
        a = {true, true, false, insn.index, kinds[o - op::iload]};
    } else if (o >= op::iload_0 && o <= op::aload_3) {
        a = {true, true, false, insn.index, kinds[(o - op::iload_0) / 4]};
    } else if (o >= op::istore && o <= op::astore) {
        a = {true, false, true, insn.index, kinds[o - op::istore]};
    } else if (o >= op::istore_0 && o <= op::astore_3) {
        a = {true, false, true, insn.index, kinds[(o - op::istore_0) / 4]};
    } else if (o == op::iinc) {
        a = {true, true, true, insn.index, 'I'};
    }
    return a;
}

namespace {

using Bits = std::vector<uint64_t>;

// Equal-width bit sets in one allocation, one row per slot or block.
class BitRows {
public:
    void assign(size_t rows, size_t words) {
        _rows = rows;
        _words = words;
        _bits.assign(rows * words, 0);
    }
    size_t size() const { return _rows; }
    uint64_t* operator[](size_t row) { return _bits.data() + row * _words; }
    const uint64_t* operator[](size_t row) const { return _bits.data() + row * _words; }

private:
    size_t _rows = 0, _words = 0;
    std::vector<uint64_t> _bits;
};

struct Def {
    uint32_t slot = 0;
    char category = 'I';
    int insn = -1;   // instruction index; -1 for a parameter at entry
    int param = -1;  // -1, or 0 for `this` and 1.. for parameters in order
};

class UnionFind {
public:
    explicit UnionFind(size_t n) : _parent(n) { std::iota(_parent.begin(), _parent.end(), 0); }
    size_t find(size_t x) {
        while (_parent[x] != x) x = _parent[x] = _parent[_parent[x]];
        return x;
    }
    void unite(size_t a, size_t b) { _parent[find(a)] = find(b); }

private:
    std::vector<size_t> _parent;
};

int width(char category) { return category == 'J' || category == 'D' ? 2 : 1; }

class WebBuilder {
public:
    WebBuilder(const LocalsInput& in, Budget& budget) : _in(in), _budget(budget) {}

    Locals run() {
        collectDefs();
        buildMasks();
        solve();
        UnionFind webs(_defs.size());
        resolveUses(webs);
        uniteByDebugInfo(webs);
        typeByFrames(webs);
        return makeVars(webs);
    }

private:
    struct FrameType {
        enum State : uint8_t { None, One, Conflict } state = None;
        const std::string* className = nullptr;  // One: the frames' class name
    };

    void collectDefs() {
        const bool isStatic = (_in.method.access & access::Static) != 0;
        uint32_t slot = 0;
        if (!isStatic) {
            _defs.push_back({0, 'A', -1, 0});
            slot = 1;
        }
        _methodType = methodTypeOf(_in.method.descriptor);
        if (!_methodType) throw Unsupported{"malformed method descriptor"};
        int index = 1;
        for (const JavaType& p : _methodType->parameters) {
            const char category = p.isReference() ? 'A' : (p.base == 'J' || p.base == 'D' ? p.base : (p.base == 'F' ? 'F' : 'I'));
            _defs.push_back({slot, category, -1, index++});
            slot += static_cast<uint32_t>(p.slots());
        }
        if (slot > _in.raw.maxLocals) throw Unsupported{"parameters exceed max_locals"};
        _defOfInsn.assign(_in.code.instructions.size(), -1);
        for (size_t i = 0; i < _in.code.instructions.size(); ++i) {
            const LocalAccess a = localAccess(_in.code.instructions[i]);
            if (!a.store) continue;
            _defOfInsn[i] = static_cast<int>(_defs.size());
            _defs.push_back({a.slot, a.category, static_cast<int>(i), -1});
        }
        _words = (_defs.size() + 63) / 64;
        _budget.spend(_words * (_in.raw.maxLocals + _in.cfg.blocks.size() * 4));
    }

    void buildMasks() {
        _touching.assign(_in.raw.maxLocals + 1, _words);
        _atSlot.assign(_in.raw.maxLocals + 1, _words);
        for (size_t d = 0; d < _defs.size(); ++d) {
            const Def& def = _defs[d];
            set(_atSlot[def.slot], d);
            for (int k = 0; k < width(def.category); ++k) set(_touching[def.slot + static_cast<uint32_t>(k)], d);
        }
    }

    static void set(uint64_t* bits, size_t i) { bits[i / 64] |= uint64_t(1) << (i % 64); }
    static void set(Bits& bits, size_t i) { set(bits.data(), i); }

    void kill(Bits& cur, const Def& def) const {
        for (int k = 0; k < width(def.category); ++k) {
            const uint64_t* mask = _touching[def.slot + static_cast<uint32_t>(k)];
            for (size_t w = 0; w < _words; ++w) cur[w] &= ~mask[w];
        }
    }

    // `into` has _words words already.
    void load(Bits& into, const uint64_t* row) const { std::copy(row, row + _words, into.begin()); }

    void transfer(const Block& b, Bits& cur, Bits* allDefs) const {
        for (size_t i = b.first; i < b.last; ++i) {
            const int d = _defOfInsn[i];
            if (d < 0) continue;
            kill(cur, _defs[static_cast<size_t>(d)]);
            set(cur, static_cast<size_t>(d));
            if (allDefs) set(*allDefs, static_cast<size_t>(d));
        }
    }

    void solve() {
        const auto& blocks = _in.cfg.blocks;
        _inState.assign(blocks.size(), _words);
        for (size_t d = 0; d < _defs.size() && _defs[d].insn < 0; ++d) set(_inState[static_cast<size_t>(_in.cfg.entry)], d);
        const std::vector<int>& order = _in.order;
        // Scratch sets, reused across blocks: this loop is hot.
        Bits cur(_words), inside(_words), any(_words);
        for (bool changed = true; changed;) {
            changed = false;
            for (int id : order) {
                const Block& b = blocks[static_cast<size_t>(id)];
                _budget.spend(_words + (b.last - b.first));
                load(cur, _inState[static_cast<size_t>(id)]);
                std::fill(inside.begin(), inside.end(), 0);
                transfer(b, cur, &inside);
                for (int s : b.succ) changed |= merge(_inState[static_cast<size_t>(s)], cur);
                for (int h : b.handlers) {
                    const int target = _in.cfg.blockAt(_in.raw.handlers[static_cast<size_t>(h)].handlerPc);
                    load(any, _inState[static_cast<size_t>(id)]);
                    for (size_t w = 0; w < _words; ++w) any[w] |= inside[w];
                    changed |= merge(_inState[static_cast<size_t>(target)], any);
                }
            }
        }
    }

    bool merge(uint64_t* into, const Bits& from) const {
        bool changed = false;
        for (size_t w = 0; w < _words; ++w) {
            const uint64_t next = into[w] | from[w];
            changed |= next != into[w];
            into[w] = next;
        }
        return changed;
    }

    void resolveUses(UnionFind& webs) {
        _useWeb.assign(_in.code.instructions.size(), -1);
        Bits cur(_words);
        for (int id : _in.order) {
            const Block& b = _in.cfg.blocks[static_cast<size_t>(id)];
            load(cur, _inState[static_cast<size_t>(b.id)]);
            for (size_t i = b.first; i < b.last; ++i) {
                const LocalAccess a = localAccess(_in.code.instructions[i]);
                if (a.load) resolveUse(webs, cur, a, i);
                const int d = _defOfInsn[i];
                if (d >= 0) {
                    kill(cur, _defs[static_cast<size_t>(d)]);
                    set(cur, static_cast<size_t>(d));
                    if (a.load) webs.unite(static_cast<size_t>(d), static_cast<size_t>(_useWeb[i]));
                }
            }
            _budget.spend(_words + (b.last - b.first));
        }
    }

    void resolveUse(UnionFind& webs, const Bits& cur, const LocalAccess& a, size_t insn) {
        const uint64_t* here = _atSlot[a.slot];
        int first = -1;
        for (size_t w = 0; w < _words; ++w) {
            uint64_t bits = cur[w] & here[w];
            while (bits) {
                const size_t d = w * 64 + static_cast<size_t>(__builtin_ctzll(bits));
                bits &= bits - 1;
                if (_defs[d].category != a.category) throw Unsupported{"local slot read with a conflicting type"};
                if (first < 0) first = static_cast<int>(d);
                else webs.unite(d, static_cast<size_t>(first));
            }
        }
        if (first < 0) throw Unsupported{"local " + std::to_string(a.slot) + " read before it is assigned"};
        _useWeb[insn] = first;
    }

    // The debug entry naming a variable live at `pc` in `slot`, or -1.
    int debugEntry(uint32_t slot, uint32_t pc) const {
        const auto& table = _in.raw.locals;
        for (size_t k = 0; k < table.size(); ++k) {
            const LocalVariable& v = table[k];
            if (v.slot == slot && v.startPc <= pc && pc < uint32_t(v.startPc) + v.length) return static_cast<int>(k);
        }
        return -1;
    }

    int debugEntryOfDef(const Def& def) const {
        if (def.insn < 0) return debugEntry(def.slot, 0);
        const Instruction& insn = _in.code.instructions[static_cast<size_t>(def.insn)];
        return debugEntry(def.slot, insn.pc + insn.length);
    }

    void uniteByDebugInfo(UnionFind& webs) {
        _entryOfWeb.assign(_defs.size(), -1);
        std::vector<int> firstDefOfEntry(_in.raw.locals.size(), -1);
        _budget.spend(_defs.size() * (_in.raw.locals.size() + 1));
        for (size_t d = 0; d < _defs.size(); ++d) {
            const int entry = debugEntryOfDef(_defs[d]);
            if (entry < 0) continue;
            int& first = firstDefOfEntry[static_cast<size_t>(entry)];
            if (first < 0) first = static_cast<int>(d);
            else if (_defs[static_cast<size_t>(first)].category == _defs[d].category) webs.unite(d, static_cast<size_t>(first));
        }
        for (size_t d = 0; d < _defs.size(); ++d) {
            const int entry = debugEntryOfDef(_defs[d]);
            if (entry >= 0) _entryOfWeb[webs.find(d)] = entry;
        }
    }

    // The block holding each instruction, -1 outside every block.
    std::vector<int> blockOfInstructions() const {
        std::vector<int> blockOf(_in.code.instructions.size(), -1);
        for (const Block& b : _in.cfg.blocks) {
            for (size_t i = b.first; i < b.last && i < blockOf.size(); ++i) blockOf[i] = b.id;
        }
        return blockOf;
    }

    // The defs reaching instruction `insn` of block `block`.
    Bits reachingAt(int block, size_t insn) const {
        const Block& b = _in.cfg.blocks[static_cast<size_t>(block)];
        Bits cur(_words);
        load(cur, _inState[static_cast<size_t>(block)]);
        for (size_t i = b.first; i < insn; ++i) {
            const int d = _defOfInsn[i];
            if (d < 0) continue;
            kill(cur, _defs[static_cast<size_t>(d)]);
            set(cur, static_cast<size_t>(d));
        }
        return cur;
    }

    // Every web a frame covers takes the frame's type; a web that frames
    // type two ways is left to inference.
    void typeByFrames(UnionFind& webs) {
        _frameType.assign(_defs.size(), FrameType{});
        if (_in.raw.frames.empty()) return;
        const std::vector<int> blockOf = blockOfInstructions();
        for (const FrameLocals& frame : frameReferenceLocals(_in.raw, _in.code)) {
            const int block = blockOf[frame.insn];
            if (block < 0) continue;
            _budget.spend(_words + frame.references.size() + (frame.insn - _in.cfg.blocks[static_cast<size_t>(block)].first));
            const Bits cur = reachingAt(block, frame.insn);
            for (const auto& [slot, className] : frame.references) {
                if (slot < _atSlot.size()) noteFrameType(webs, cur, _atSlot[slot], *className);
            }
        }
    }

    void noteFrameType(UnionFind& webs, const Bits& cur, const uint64_t* here, const std::string& className) {
        for (size_t w = 0; w < _words; ++w) {
            uint64_t bits = cur[w] & here[w];
            while (bits) {
                const size_t d = w * 64 + static_cast<size_t>(__builtin_ctzll(bits));
                bits &= bits - 1;
                if (_defs[d].category != 'A') continue;
                FrameType& known = _frameType[webs.find(d)];
                if (known.state == FrameType::None) known = {FrameType::One, &className};
                else if (*known.className != className) known.state = FrameType::Conflict;
            }
        }
    }

    VarPtr makeVar(const Def& def, int debug, const FrameType& frame) {
        auto var = std::make_shared<Var>();
        var->slot = static_cast<int>(def.slot);
        var->id = static_cast<int>(_vars.size()) + 1;
        switch (def.category) {
        case 'A': var->type = javaLangObject(); break;
        default: var->type = primitive(def.category); break;
        }
        var->declaredType = def.category == 'J' || def.category == 'D' || def.category == 'F';
        if (frame.state == FrameType::One) {
            var->type = typeOfClassName(*frame.className);
            var->declaredType = true;
        }
        if (debug >= 0) {
            const LocalVariable& entry = _in.raw.locals[static_cast<size_t>(debug)];
            auto type = parseFieldDescriptor(entry.descriptor);
            const char category = type ? (type->isReference() ? 'A' : (isIntLike(*type) ? 'I' : type->base)) : '?';
            if (category == def.category) {
                var->type = *type;
                var->declaredType = true;
                var->name = entry.name;
                var->debugDeclared = true;
                var->generic = declaredGenericType(entry);
            }
        }
        _vars.push_back(var);
        return var;
    }

    // The LocalVariableTypeTable's type of the variable `entry` names.
    std::shared_ptr<const GenericType> declaredGenericType(const LocalVariable& entry) const {
        for (const LocalVariable& typed : _in.raw.localTypes) {
            if (typed.slot != entry.slot || typed.startPc != entry.startPc || typed.name != entry.name) continue;
            return cachedFieldSignature(typed.descriptor);
        }
        return nullptr;
    }

    Locals makeVars(UnionFind& webs) {
        Locals result;
        std::vector<VarPtr> varOfWeb(_defs.size());
        _vars.reserve(_defs.size());
        for (size_t d = 0; d < _defs.size(); ++d) {
            const size_t root = webs.find(d);
            if (_defs[root].category != _defs[d].category) throw Unsupported{"local slot reused with conflicting types"};
            VarPtr& var = varOfWeb[root];
            if (!var) var = makeVar(_defs[d], _entryOfWeb[root], _frameType[root]);
            if (_defs[d].param >= 0) bindParameter(var, _defs[d], result);
        }
        result.varOf.resize(_in.code.instructions.size());
        for (size_t i = 0; i < _in.code.instructions.size(); ++i) {
            const int web = _defOfInsn[i] >= 0 ? _defOfInsn[i] : _useWeb[i];
            if (web >= 0) result.varOf[i] = varOfWeb[webs.find(static_cast<size_t>(web))];
        }
        if (result.thisVar) {
            for (size_t i = 0; i < _in.code.instructions.size(); ++i) {
                if (_defOfInsn[i] >= 0 && result.varOf[i] == result.thisVar) throw Unsupported{"`this` is reassigned"};
            }
        }
        result.all = std::move(_vars);
        return result;
    }

    void bindParameter(const VarPtr& var, const Def& def, Locals& result) {
        if (def.param == 0) {
            var->kind = VarKind::This;
            var->type = objectType(_in.owner);
            var->declaredType = true;
            var->name = "this";
            result.thisVar = var;
            return;
        }
        const size_t index = static_cast<size_t>(def.param - 1);
        var->kind = VarKind::Parameter;
        var->type = _methodType->parameters[index];
        var->declaredType = true;
        if (index < _in.parameterNames.size()) var->name = _in.parameterNames[index];
        if (result.params.size() <= index) result.params.resize(index + 1);
        result.params[index] = var;
    }

    const LocalsInput& _in;
    Budget& _budget;
    std::vector<FrameType> _frameType;  // per web root
    std::vector<Def> _defs;
    std::shared_ptr<const MethodType> _methodType;
    std::vector<int> _defOfInsn, _useWeb, _entryOfWeb;
    size_t _words = 0;
    BitRows _touching, _atSlot, _inState;
    std::vector<VarPtr> _vars;
};

}  // namespace

Locals buildLocals(const LocalsInput& input, Budget& budget) {
    return WebBuilder(input, budget).run();
}

}  // namespace jad::body
