#include "platform/framework/Filer.h"

#include "platform/framework/ColorIdents.h"
#include "platform/rtl/Text.h"

namespace framework {

namespace {

const char* KindName(TFormValue::Kind kind) {
    switch (kind) {
    case TFormValue::Integer:
        return "an integer";
    case TFormValue::Ident:
        return "an identifier";
    case TFormValue::String:
        return "a string";
    case TFormValue::Set:
        return "a set";
    case TFormValue::List:
        return "a list";
    case TFormValue::Binary:
        return "binary data";
    }
    return "a value";
}

std::string UniqueName(TComponent* owner, const TComponent& root, const std::string& name) {
    if (owner == nullptr || name.empty())
        return name;
    auto taken = [&](const std::string& n) {
        TComponent* c = owner->FindComponent(n);
        return c != nullptr && c != &root;
    };
    if (!taken(name))
        return name;
    for (int i = 1;; ++i) {
        std::string candidate = name + "_" + std::to_string(i);
        if (!taken(candidate))
            return candidate;
    }
}

} // namespace

void TFiler::DefineBinaryProperty(const std::string& name,
                                  const std::function<void(const std::string&)>& readData,
                                  const std::function<std::string()>& writeData, bool hasData) {
    std::function<void(TReader&)> read;
    std::function<void(TWriter&)> write;
    if (readData)
        read = [readData](TReader& r) { readData(r.ReadBinary()); };
    if (writeData)
        write = [writeData](TWriter& w) { w.WriteBinary(writeData()); };
    DefineProperty(name, read, write, hasData);
}

TReader::TReader(const TFormObject& tree, std::string resourceName)
    : m_tree(tree), m_resource(std::move(resourceName)) {}

void TReader::Fail(int line, const std::string& message) const {
    throw EReadError(m_resource + "(" + std::to_string(line) + "): " + message);
}

void TReader::ReadRootComponent(TComponent& root) {
    const TClassInfo* rootInfo = ClassInfoOf(root);
    if (rootInfo == nullptr)
        Fail(m_tree.line, "class of the root object (" + root.ClassName() + ") is not registered");
    m_library = rootInfo->Library();
    const TClassInfo* named = FindClass(m_tree.className, m_tree.line);
    if (named == nullptr || !rootInfo->InheritsFrom(named))
        Fail(m_tree.line, "resource describes " + m_tree.className + ", not " + rootInfo->Name());
    m_root = &root;
    m_node = &m_tree;
    m_parent = nullptr;
    m_loaded.push_back(&root);
    root.IncludeState(csLoading);
    root.IncludeState(csReading);
    auto clearStates = [this] {
        for (TComponent* c : m_loaded) {
            c->ExcludeState(csReading);
            c->ExcludeState(csLoading);
            c->ExcludeState(csFixups);
        }
    };
    try {
        root.SetName(UniqueName(root.Owner(), root, m_tree.name));
        root.ReadState(*this);
        ResolveFixups();
        root.ExcludeState(csReading);
        // Loaded runs in creation order: the root first, then every object as the text lists it.
        for (TComponent* c : m_loaded)
            c->Loaded();
    } catch (...) {
        clearStates();
        throw;
    }
    clearStates();
}

const TClassInfo* TReader::FindClass(const std::string& className, int line) const {
    try {
        return FindClassInfo(m_library, className);
    } catch (const ERegistrationError& e) {
        Fail(line, e.what());
    }
}

void TReader::ReadData(TComponent& instance) {
    const TFormObject& node = *m_node;
    for (const TFormProperty& prop : node.properties)
        ReadProperty(instance, node.name, prop);
    for (const TFormObject& child : node.children)
        ReadComponent(child, instance);
}

void TReader::ReadComponent(const TFormObject& node, TComponent& parent) {
    const TClassInfo* info = FindClass(node.className, node.line);
    if (info == nullptr)
        Fail(node.line, "class " + node.className + " not found (object " + node.name + ")");
    if (!info->CanCreate())
        Fail(node.line, "class " + node.className + " cannot be created from a resource");
    TComponent* component = info->Create(m_root);
    component->IncludeState(csLoading);
    component->IncludeState(csReading);
    m_loaded.push_back(component);
    try {
        component->SetName(node.name);
    } catch (const std::exception& e) {
        Fail(node.line, e.what());
    }
    const TFormObject* savedNode = m_node;
    TComponent* savedParent = m_parent;
    m_node = &node;
    m_parent = &parent;
    component->SetParentComponent(&parent);
    component->ReadState(*this);
    m_node = savedNode;
    m_parent = savedParent;
    component->ExcludeState(csReading);
}

void TReader::ReadProperty(TPersistent& instance, const std::string& instanceName,
                           const TFormProperty& prop) {
    std::string where = instanceName + "." + prop.path;
    try {
        // A string list may also be written as "Lines.Strings".
        if (prop.path.size() > 8 &&
            rtl::SameText(std::string_view(prop.path).substr(prop.path.size() - 8), ".Strings")) {
            const TPropInfo* list = GetPropInfo(instance, prop.path.substr(0, prop.path.size() - 8));
            if (list != nullptr && list->kind == TPropKind::Strings) {
                SetPropValue(instance, *list, prop.value, where, prop.line);
                return;
            }
        }
        TPersistent* target = &instance;
        std::string_view path = prop.path;
        std::size_t dot;
        while ((dot = path.find('.')) != std::string_view::npos) {
            std::string_view segment = path.substr(0, dot);
            const TPropInfo* sub = GetPropInfo(*target, segment);
            if (sub == nullptr || sub->kind != TPropKind::Class)
                throw EPropertyError("Property " + std::string(segment) + " does not exist");
            target = sub->getObj(*target);
            if (target == nullptr)
                throw EPropertyError("Property " + std::string(segment) + " is empty");
            path.remove_prefix(dot + 1);
        }
        std::string last(path);
        const TPropInfo* info = GetPropInfo(*target, last);
        if (info != nullptr) {
            SetPropValue(*target, *info, prop.value, where, prop.line);
            return;
        }
        m_top.assign(1, prop.value);
        m_frames.assign(1, Frame{&m_top, 0, false});
        m_seekName = last;
        m_defined = false;
        target->DefineProperties(*this);
        m_seekName.clear();
        m_frames.clear();
        if (!m_defined)
            throw EPropertyError("Property " + last + " does not exist");
    } catch (const EReadError&) {
        throw;
    } catch (const std::exception& e) {
        Fail(prop.line, "error reading " + where + ": " + e.what());
    }
}

void TReader::SetPropValue(TPersistent& instance, const TPropInfo& info, const TFormValue& value,
                           const std::string& where, int line) {
    auto expect = [&](TFormValue::Kind kind) {
        if (value.kind != kind)
            throw EPropertyError(std::string("Invalid property value: ") + KindName(kind) + " expected, " +
                                 KindName(value.kind) + " found");
    };
    switch (info.kind) {
    case TPropKind::Integer:
        expect(TFormValue::Integer);
        info.setOrd(instance, value.integer);
        return;
    case TPropKind::Enumeration: {
        expect(TFormValue::Ident);
        int v = GetEnumValue(*info.enumInfo, value.text);
        if (v < 0)
            throw EPropertyError("Invalid property value: " + value.text + " is not a " +
                                 info.enumInfo->typeName + " value");
        info.setOrd(instance, v);
        return;
    }
    case TPropKind::Boolean:
        expect(TFormValue::Ident);
        if (rtl::SameText(value.text, "True"))
            info.setOrd(instance, 1);
        else if (rtl::SameText(value.text, "False"))
            info.setOrd(instance, 0);
        else
            throw EPropertyError("Invalid property value: " + value.text + " is not a Boolean");
        return;
    case TPropKind::Set: {
        expect(TFormValue::Set);
        std::uint64_t bits = 0;
        for (const TFormValue& item : value.items) {
            int v = GetEnumValue(*info.enumInfo, item.text);
            if (v < 0)
                throw EPropertyError("Invalid property element: " + item.text + " is not a " +
                                     info.enumInfo->typeName + " value");
            bits |= std::uint64_t{1} << v;
        }
        info.setOrd(instance, static_cast<std::int64_t>(bits));
        return;
    }
    case TPropKind::Color:
        if (value.kind == TFormValue::Integer) {
            if (value.integer < INT32_MIN || value.integer > static_cast<std::int64_t>(UINT32_MAX))
                throw EPropertyError("Invalid property value: colour " + std::to_string(value.integer) +
                                     " out of range");
            info.setOrd(instance, static_cast<std::uint32_t>(value.integer));
        } else if (value.kind == TFormValue::Ident) {
            auto colour = IdentToColor(value.text);
            if (!colour)
                throw EPropertyError("Invalid property value: " + value.text + " is not a colour");
            info.setOrd(instance, *colour);
        } else {
            throw EPropertyError("Invalid property value: a colour expected");
        }
        return;
    case TPropKind::String:
        expect(TFormValue::String);
        info.setStr(instance, value.text);
        return;
    case TPropKind::Component:
        expect(TFormValue::Ident);
        if (rtl::SameText(value.text, "nil")) {
            info.setComp(instance, nullptr);
            return;
        }
        m_fixups.push_back(Fixup{&instance, &info, value.text, where, line});
        if (auto* c = dynamic_cast<TComponent*>(&instance))
            c->IncludeState(csFixups);
        return;
    case TPropKind::Event: {
        expect(TFormValue::Ident);
        const TClassInfo* rootInfo = ClassInfoOf(*m_root);
        const THandlerInfo* handler = rootInfo != nullptr ? rootInfo->FindHandler(value.text) : nullptr;
        if (handler == nullptr)
            throw EPropertyError("Method " + value.text + " not found in " + m_root->ClassName());
        info.setEvent(instance, handler->bind(*m_root));
        if (auto* c = dynamic_cast<TComponent*>(&instance))
            c->SetEventBinding(info.name, handler->name);
        return;
    }
    case TPropKind::Strings: {
        expect(TFormValue::List);
        std::vector<std::string> items;
        for (const TFormValue& item : value.items) {
            if (item.kind != TFormValue::String)
                throw EPropertyError("Invalid property value: list items must be strings");
            items.push_back(item.text);
        }
        info.setStrings(instance, items);
        return;
    }
    case TPropKind::Class:
        throw EPropertyError("Property " + info.name + " takes no value of its own");
    }
}

void TReader::ResolveFixups() {
    std::vector<Fixup> fixups = std::move(m_fixups);
    m_fixups.clear();
    for (const Fixup& f : fixups) {
        std::string_view name = f.target;
        std::size_t dot = name.find('.');
        if (dot != std::string_view::npos && rtl::SameText(name.substr(0, dot), m_root->Name()))
            name.remove_prefix(dot + 1);
        TComponent* target = rtl::SameText(name, m_root->Name()) ? m_root : m_root->FindComponent(name);
        if (target == nullptr)
            Fail(f.line, "error reading " + f.where + ": component " + f.target + " not found");
        try {
            f.prop->setComp(*f.instance, target);
        } catch (const std::exception& e) {
            Fail(f.line, "error reading " + f.where + ": " + e.what());
        }
        if (auto* c = dynamic_cast<TComponent*>(f.instance))
            c->ExcludeState(csFixups);
    }
}

void TReader::DefineProperty(const std::string& name, const std::function<void(TReader&)>& readData,
                             const std::function<void(TWriter&)>&, bool) {
    if (m_defined || m_seekName.empty() || !rtl::SameText(name, m_seekName) || !readData)
        return;
    m_defined = true;
    readData(*this);
}

const TFormValue& TReader::Current() const {
    if (m_frames.empty() || m_frames.back().pos >= m_frames.back().items->size())
        throw EReadError("no more values to read");
    return (*m_frames.back().items)[m_frames.back().pos];
}

TValueType TReader::NextValue() const {
    if (!m_frames.empty() && m_frames.back().pos >= m_frames.back().items->size())
        return vaNull;
    const TFormValue& v = Current();
    switch (v.kind) {
    case TFormValue::Integer:
        return vaInt;
    case TFormValue::String:
        return vaString;
    case TFormValue::Set:
        return vaSet;
    case TFormValue::List:
        return vaList;
    case TFormValue::Binary:
        return vaBinary;
    case TFormValue::Ident:
        if (rtl::SameText(v.text, "True"))
            return vaTrue;
        if (rtl::SameText(v.text, "False"))
            return vaFalse;
        if (rtl::SameText(v.text, "nil"))
            return vaNil;
        return vaIdent;
    }
    return vaNull;
}

TValueType TReader::ReadValue() {
    TValueType type = NextValue();
    if (type == vaNull)
        throw EReadError("no more values to read");
    if (type == vaSet || type == vaList) {
        const TFormValue& v = Current();
        ++m_frames.back().pos;
        m_frames.push_back(Frame{&v.items, 0, type == vaSet});
    }
    return type;
}

const TFormValue& TReader::Take(TFormValue::Kind kind, const char* what) {
    const TFormValue& v = Current();
    if (v.kind != kind)
        throw EPropertyError(std::string("Invalid property value: ") + what + " expected");
    ++m_frames.back().pos;
    return v;
}

bool TReader::ReadBoolean() {
    const TFormValue& v = Take(TFormValue::Ident, "a Boolean");
    if (rtl::SameText(v.text, "True"))
        return true;
    if (rtl::SameText(v.text, "False"))
        return false;
    throw EPropertyError("Invalid property value: " + v.text + " is not a Boolean");
}

std::string TReader::ReadIdent() {
    return Take(TFormValue::Ident, "an identifier").text;
}
std::int64_t TReader::ReadInteger() {
    return Take(TFormValue::Integer, "an integer").integer;
}
std::string TReader::ReadString() {
    return Take(TFormValue::String, "a string").text;
}
std::string TReader::ReadBinary() {
    return Take(TFormValue::Binary, "binary data").text;
}

std::string TReader::ReadStr() {
    if (!m_frames.empty() && m_frames.back().set) {
        Frame& f = m_frames.back();
        if (f.pos < f.items->size())
            return (*f.items)[f.pos++].text;
        m_frames.pop_back();
        return std::string();
    }
    return ReadIdent();
}

void TReader::ReadListBegin() {
    if (NextValue() != vaList)
        throw EPropertyError("Invalid property value: a list expected");
    ReadValue();
}

bool TReader::EndOfList() const {
    return m_frames.empty() || m_frames.back().pos >= m_frames.back().items->size();
}

void TReader::ReadListEnd() {
    if (m_frames.size() < 2 || !EndOfList())
        throw EReadError("list not fully read");
    m_frames.pop_back();
}

std::uint64_t TReader::ReadSet(const TEnumInfo& elements) {
    if (ReadValue() != vaSet)
        throw EPropertyError("Invalid property value: a set expected");
    std::uint64_t bits = 0;
    for (std::string item = ReadStr(); !item.empty(); item = ReadStr()) {
        int v = GetEnumValue(elements, item);
        if (v < 0)
            throw EPropertyError("Invalid property element: " + item);
        bits |= std::uint64_t{1} << v;
    }
    return bits;
}

TWriter::TWriter(TComponent& root) : m_root(&root) {}

TFormObject TWriter::WriteRootComponent() {
    return WriteComponent(*m_root);
}

TFormObject TWriter::WriteComponent(TComponent& component) {
    TFormObject node;
    node.name = component.Name();
    node.className = component.ClassName();
    component.IncludeState(csWriting);
    try {
        WriteProperties(component, "", node);
        std::vector<TComponent*> children;
        component.GetChildren([&](TComponent* c) { children.push_back(c); }, m_root);
        for (TComponent* child : children)
            node.children.push_back(WriteComponent(*child));
    } catch (...) {
        component.ExcludeState(csWriting);
        throw;
    }
    component.ExcludeState(csWriting);
    return node;
}

void TWriter::WriteProperties(TPersistent& instance, const std::string& prefix, TFormObject& node) {
    const TClassInfo* info = ClassInfoOf(instance);
    if (info == nullptr)
        throw EComponentError("Class " + instance.ClassName() + " is not registered");
    auto add = [&](const TPropInfo& p, TFormValue v) {
        node.properties.push_back(TFormProperty{prefix + p.name, std::move(v), 0});
    };
    for (const TPropInfo* p : info->PropertyList()) {
        if (!p->IsStored(instance))
            continue;
        TFormValue v;
        switch (p->kind) {
        case TPropKind::Integer:
        case TPropKind::Enumeration:
        case TPropKind::Boolean:
        case TPropKind::Set:
        case TPropKind::Color: {
            std::int64_t ord = p->getOrd(instance);
            if (p->ordDefault && *p->ordDefault == ord)
                continue;
            if (p->kind == TPropKind::Integer) {
                v.kind = TFormValue::Integer;
                v.integer = ord;
            } else if (p->kind == TPropKind::Enumeration) {
                v.kind = TFormValue::Ident;
                v.text = GetEnumName(*p->enumInfo, ord);
            } else if (p->kind == TPropKind::Boolean) {
                v.kind = TFormValue::Ident;
                v.text = ord ? "True" : "False";
            } else if (p->kind == TPropKind::Set) {
                v.kind = TFormValue::Set;
                for (std::size_t i = 0; i < p->enumInfo->names.size(); ++i)
                    if ((static_cast<std::uint64_t>(ord) >> i) & 1u) {
                        TFormValue item;
                        item.kind = TFormValue::Ident;
                        item.text = p->enumInfo->names[i];
                        v.items.push_back(item);
                    }
            } else if (auto ident = ColorToIdent(static_cast<std::uint32_t>(ord))) {
                v.kind = TFormValue::Ident;
                v.text = *ident;
            } else {
                v.kind = TFormValue::Integer;
                v.integer = ord;
            }
            break;
        }
        case TPropKind::String:
            v.kind = TFormValue::String;
            v.text = p->getStr(instance);
            if (v.text == p->strDefault)
                continue;
            break;
        case TPropKind::Component: {
            TComponent* c = p->getComp(instance);
            if (c == nullptr)
                continue;
            v.kind = TFormValue::Ident;
            v.text = (c == m_root || c->Owner() == m_root || c->Owner() == nullptr)
                         ? c->Name()
                         : c->Owner()->Name() + "." + c->Name();
            break;
        }
        case TPropKind::Event: {
            auto* c = dynamic_cast<TComponent*>(&instance);
            if (c == nullptr || !p->hasEvent(instance))
                continue;
            v.kind = TFormValue::Ident;
            v.text = c->EventBinding(p->name);
            if (v.text.empty())
                continue;
            break;
        }
        case TPropKind::Strings:
            v.kind = TFormValue::List;
            for (const std::string& s : p->getStrings(instance)) {
                TFormValue item;
                item.kind = TFormValue::String;
                item.text = s;
                v.items.push_back(item);
            }
            if (v.items.empty())
                continue;
            break;
        case TPropKind::Class:
            if (TPersistent* sub = p->getObj(instance))
                WriteProperties(*sub, prefix + p->name + ".", node);
            continue;
        }
        add(*p, std::move(v));
    }
    TFormObject* savedNode = m_node;
    std::string savedPrefix = m_prefix;
    m_node = &node;
    m_prefix = prefix;
    instance.DefineProperties(*this);
    m_node = savedNode;
    m_prefix = savedPrefix;
}

void TWriter::DefineProperty(const std::string& name, const std::function<void(TReader&)>&,
                             const std::function<void(TWriter&)>& writeData, bool hasData) {
    if (!writeData || !hasData || m_node == nullptr)
        return;
    m_stack.clear();
    m_hasValue = false;
    writeData(*this);
    if (!m_hasValue || !m_stack.empty())
        throw EComponentError("Property " + name + " wrote no complete value");
    m_node->properties.push_back(TFormProperty{m_prefix + name, m_value, 0});
}

void TWriter::Emit(TFormValue value) {
    if (!m_stack.empty()) {
        m_stack.back().items.push_back(std::move(value));
        return;
    }
    if (m_hasValue)
        throw EComponentError("A defined property wrote more than one value");
    m_value = std::move(value);
    m_hasValue = true;
}

void TWriter::WriteInteger(std::int64_t value) {
    TFormValue v;
    v.kind = TFormValue::Integer;
    v.integer = value;
    Emit(std::move(v));
}

void TWriter::WriteBoolean(bool value) {
    WriteIdent(value ? "True" : "False");
}

void TWriter::WriteIdent(const std::string& ident) {
    TFormValue v;
    v.kind = TFormValue::Ident;
    v.text = ident;
    Emit(std::move(v));
}

void TWriter::WriteString(const std::string& value) {
    TFormValue v;
    v.kind = TFormValue::String;
    v.text = value;
    Emit(std::move(v));
}

void TWriter::WriteBinary(const std::string& bytes) {
    TFormValue v;
    v.kind = TFormValue::Binary;
    v.text = bytes;
    Emit(std::move(v));
}

void TWriter::WriteSet(const TEnumInfo& elements, std::uint64_t bits) {
    TFormValue v;
    v.kind = TFormValue::Set;
    for (std::size_t i = 0; i < elements.names.size(); ++i)
        if ((bits >> i) & 1u) {
            TFormValue item;
            item.kind = TFormValue::Ident;
            item.text = elements.names[i];
            v.items.push_back(item);
        }
    Emit(std::move(v));
}

void TWriter::WriteListBegin() {
    TFormValue v;
    v.kind = TFormValue::List;
    m_stack.push_back(std::move(v));
}

void TWriter::WriteListEnd() {
    if (m_stack.empty())
        throw EComponentError("WriteListEnd without WriteListBegin");
    TFormValue v = std::move(m_stack.back());
    m_stack.pop_back();
    Emit(std::move(v));
}

} // namespace framework
