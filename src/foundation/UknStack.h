#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

class TknIntStackQueueSuper {
public:
    virtual ~TknIntStackQueueSuper() = default;
    void Push(int32_t value) { FItems.push_back(value); }
    virtual bool Peek(int32_t& value) const = 0;
    bool Pop(int32_t& value);
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }
    std::u16string GetText() const;
    void SetText(std::u16string_view text);

    std::u16string Separator = u"\r\n";

protected:
    virtual void RemovePeeked() = 0;
    std::vector<int32_t> FItems;
};

class TknIntStack : public TknIntStackQueueSuper {
public:
    bool Peek(int32_t& value) const override;

protected:
    void RemovePeeked() override;
};

class TknIntQueue : public TknIntStackQueueSuper {
public:
    bool Peek(int32_t& value) const override;

protected:
    void RemovePeeked() override;
};

class TknStrStackQueueSuper {
public:
    virtual ~TknStrStackQueueSuper() = default;
    void Push(std::u16string value) { FItems.push_back(std::move(value)); }
    virtual bool Peek(std::u16string& value) const = 0;
    bool Pop(std::u16string& value);
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }

protected:
    virtual void RemovePeeked() = 0;
    std::vector<std::u16string> FItems;
};

class TknStrQueue : public TknStrStackQueueSuper {
public:
    bool Peek(std::u16string& value) const override;

protected:
    void RemovePeeked() override;
};

}  // namespace qb
