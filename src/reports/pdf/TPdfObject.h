#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zv {

class TPdfOutput;

// An object of the document's object graph. It is direct (written where it
// is used) until the cross-reference table registers it; from then on it is
// indirect, written once at top level and referred to everywhere else.
class TPdfObject {
public:
    virtual ~TPdfObject() = default;

    // The object's own written form (for an indirect object: its body).
    virtual void Write(TPdfOutput& out) = 0;

    int ObjectNumber() const { return objectNumber_; }
    int Generation() const { return generation_; }
    bool IsIndirect() const { return objectNumber_ > 0; }
    void SetObjectNumber(int number, int generation) {
        objectNumber_ = number;
        generation_ = generation;
    }

private:
    int objectNumber_ = 0;
    int generation_ = 0;
};

using TPdfObjectPtr = std::shared_ptr<TPdfObject>;

// The small value kinds live with the base class: each is a handful of
// lines and they are only ever used through the containers.

class TPdfNull : public TPdfObject {
public:
    void Write(TPdfOutput& out) override;
};

class TPdfBoolean : public TPdfObject {
public:
    explicit TPdfBoolean(bool value) : value_(value) {}
    bool Value() const { return value_; }
    void Write(TPdfOutput& out) override;

private:
    bool value_;
};

class TPdfNumber : public TPdfObject {
public:
    explicit TPdfNumber(long long value) : value_(value) {}
    long long Value() const { return value_; }
    void SetValue(long long value) { value_ = value; }
    void Write(TPdfOutput& out) override;

private:
    long long value_;
};

class TPdfReal : public TPdfObject {
public:
    explicit TPdfReal(double value) : value_(value) {}
    double Value() const { return value_; }
    void Write(TPdfOutput& out) override;

private:
    double value_;
};

// A string, held as UTF-8 and written in the file's encoding.
class TPdfText : public TPdfObject {
public:
    explicit TPdfText(std::string value) : value_(std::move(value)) {}
    const std::string& Value() const { return value_; }
    void Write(TPdfOutput& out) override;

private:
    std::string value_;
};

class TPdfName : public TPdfObject {
public:
    explicit TPdfName(std::string value) : value_(std::move(value)) {}
    const std::string& Value() const { return value_; }
    void Write(TPdfOutput& out) override;

private:
    std::string value_;
};

// A reference to an indirect object: "number generation R".
class TPdfVirtualObject : public TPdfObject {
public:
    TPdfVirtualObject(int number, int generation) : number_(number), generation_(generation) {}
    int Number() const { return number_; }
    int RefGeneration() const { return generation_; }
    void Write(TPdfOutput& out) override;

private:
    int number_;
    int generation_;
};

// What a container stores for `object`: a reference when it is indirect.
TPdfObjectPtr StoredForm(const TPdfObjectPtr& object);

} // namespace zv
