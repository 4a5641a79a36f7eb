#pragma once

#include "platform/framework/Classes.h"
#include "platform/framework/FormText.h"
#include "platform/framework/TypInfo.h"

#include <functional>
#include <string>
#include <vector>

namespace framework {

enum TValueType { vaNull, vaList, vaInt, vaString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet, vaNil };

class TReader;
class TWriter;

// Stream-only properties: DefineProperties registers a reader and a writer for each. A property
// with a reader only is obsolete: it is read from old resources and never written.
class TFiler {
public:
    virtual ~TFiler() = default;
    virtual void DefineProperty(const std::string& name, const std::function<void(TReader&)>& readData,
                                const std::function<void(TWriter&)>& writeData, bool hasData) = 0;
    void DefineProperty(const std::string& name, const std::function<void(TReader&)>& readData) {
        DefineProperty(name, readData, nullptr, false);
    }
    // Binary data, written as {hex} blocks.
    void DefineBinaryProperty(const std::string& name,
                              const std::function<void(const std::string&)>& readData,
                              const std::function<std::string()>& writeData, bool hasData);
    virtual TComponent* Root() const = 0;
};

class TReader : public TFiler {
public:
    TReader(const TFormObject& tree, std::string resourceName);

    void ReadRootComponent(TComponent& root);
    // Reads the properties and children of the object being read into instance (from ReadState).
    void ReadData(TComponent& instance);

    void DefineProperty(const std::string& name, const std::function<void(TReader&)>& readData,
                        const std::function<void(TWriter&)>& writeData, bool hasData) override;
    using TFiler::DefineProperty;
    TComponent* Root() const override { return m_root; }
    TComponent* Parent() const { return m_parent; }
    const std::string& ResourceName() const { return m_resource; }

    // Value reading for DefineProperties handlers.
    TValueType NextValue() const;
    TValueType ReadValue(); // consumes the marker; after vaSet, ReadStr yields the element names then ""
    bool ReadBoolean();
    std::string ReadIdent();
    std::int64_t ReadInteger();
    std::string ReadString();
    std::string ReadStr();
    std::string ReadBinary();
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();
    std::uint64_t ReadSet(const TEnumInfo& elements);

private:
    struct Frame {
        const std::vector<TFormValue>* items;
        std::size_t pos;
        bool set;
    };
    struct Fixup {
        TPersistent* instance;
        const TPropInfo* prop;
        std::string target;
        std::string where;
        int line;
    };

    // As the library of the root's class sees the name: its own classes before any other's.
    const TClassInfo* FindClass(const std::string& className, int line) const;
    void ReadComponent(const TFormObject& node, TComponent& parent);
    void ReadProperty(TPersistent& instance, const std::string& instanceName, const TFormProperty& prop);
    void SetPropValue(TPersistent& instance, const TPropInfo& info, const TFormValue& value,
                      const std::string& where, int line);
    void ResolveFixups();
    const TFormValue& Current() const;
    const TFormValue& Take(TFormValue::Kind kind, const char* what);
    [[noreturn]] void Fail(int line, const std::string& message) const;

    const TFormObject& m_tree;
    std::string m_resource;
    const TFormObject* m_node = nullptr;
    TComponent* m_root = nullptr;
    const void* m_library = nullptr;
    TComponent* m_parent = nullptr;
    std::vector<TComponent*> m_loaded;
    std::vector<Fixup> m_fixups;

    std::vector<TFormValue> m_top;
    std::vector<Frame> m_frames;
    std::string m_seekName;
    bool m_defined = false;
};

class TWriter : public TFiler {
public:
    explicit TWriter(TComponent& root);

    TFormObject WriteRootComponent();

    void DefineProperty(const std::string& name, const std::function<void(TReader&)>& readData,
                        const std::function<void(TWriter&)>& writeData, bool hasData) override;
    using TFiler::DefineProperty;
    TComponent* Root() const override { return m_root; }

    void WriteInteger(std::int64_t value);
    void WriteBoolean(bool value);
    void WriteIdent(const std::string& ident);
    void WriteString(const std::string& value);
    void WriteBinary(const std::string& bytes);
    void WriteSet(const TEnumInfo& elements, std::uint64_t bits);
    void WriteListBegin();
    void WriteListEnd();

private:
    TFormObject WriteComponent(TComponent& component);
    void WriteProperties(TPersistent& instance, const std::string& prefix, TFormObject& node);
    void Emit(TFormValue value);

    TComponent* m_root;
    TFormObject* m_node = nullptr;
    std::string m_prefix;
    std::vector<TFormValue> m_stack;
    TFormValue m_value;
    bool m_hasValue = false;
};

} // namespace framework
