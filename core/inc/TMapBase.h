// TMapBase.h: the string-keyed hash map behind the configuration cache. Pairs keep the order
// in which they were added (the order on disk); each slot heads a chain that runs from the
// newest pair to the oldest, so a lookup of a repeated key finds the one added last.
#pragma once
#include "Core.h"
#include <utility>

// The slot hash of a key: CRC-32 steps over both bytes of every character, with 'a' to 'z'
// folded to upper case so that keys equal under the engine's string equality share a chain.
DWORD HashKeyNoCase(const TCHAR* Key);

// TK is the engine's string class; TI any copyable value.
template<class TK, class TI> class TMapBase
{
public:
    TMapBase() : Hash(NULL), HashCount(0) { Rehash(8); }
    // Room for ExpectedPairs pairs from the start, with the slots that adding them one by one
    // would end with, so that filling the map moves and relinks nothing.
    explicit TMapBase(INT ExpectedPairs) : Hash(NULL), HashCount(0)
    {
        Pairs.Empty(ExpectedPairs);
        INT Slots = 8;
        while (ExpectedPairs > 2 * Slots + 8)
            Slots *= 2;
        Rehash(Slots);
    }
    TMapBase(const TMapBase& Other) : Pairs(Other.Pairs), Hash(NULL), HashCount(0) { Rehash(Other.HashCount); }
    TMapBase& operator=(const TMapBase& Other)
    {
        if (this != &Other)
        {
            Pairs = Other.Pairs;
            Rehash(Other.HashCount);
        }
        return *this;
    }
    ~TMapBase() { appFree(Hash); }

    INT Num() const { return Pairs.Num(); }
    INT GetHashCount() const { return HashCount; }

    // The value of the newest pair with Key, or NULL.
    TI* Find(const TCHAR* Key) { return const_cast<TI*>(static_cast<const TMapBase*>(this)->Find(Key)); }
    const TI* Find(const TCHAR* Key) const
    {
        for (INT i = Hash[Slot(Key)]; i != INDEX_NONE; i = Pairs(i).HashNext)
            if (Pairs(i).Key == Key)
                return &Pairs(i).Value;
        return NULL;
    }

    // Removes every pair with Key, keeping the order of the rest; returns how many went.
    INT Remove(const TCHAR* InKey)
    {
        TK Key(InKey); // the text may belong to a pair that goes
        INT Removed = 0;
        for (INT i = Pairs.Num() - 1; i >= 0; i--)
            if (Pairs(i).Key == Key)
            {
                Pairs.Remove(i);
                Removed++;
            }
        if (Removed)
        {
            INT Count = HashCount;
            while (Count > 2 * Pairs.Num() + 8)
                Count /= 2;
            Rehash(Count);
        }
        return Removed;
    }

    void Empty()
    {
        Pairs.Empty();
        Rehash(8);
    }

    // The pair count, the slot count and the length of every chain.
    void Dump(FOutputDevice& Ar)
    {
        guard(TMapBase::Dump);
        Ar.Logf(TEXT("TMapBase: %i items, %i hash slots"), Pairs.Num(), HashCount);
        for (INT i = 0; i < HashCount; i++)
        {
            INT Length = 0;
            for (INT j = Hash[i]; j != INDEX_NONE; j = Pairs(j).HashNext)
                Length++;
            Ar.Logf(TEXT("   Hash[%i] = %i"), i, Length);
        }
        unguard;
    }

    // Walks the pairs in order, by position: pairs added meanwhile come at the end and are
    // walked too (Key and Value find a pair where it is now); removing pairs ends the walk.
    template<class TMap, class TValue> class TBaseIterator
    {
    public:
        explicit TBaseIterator(TMap& InMap) : Map(InMap), Index(0) {}
        void operator++() { Index++; }
        explicit operator bool() const { return Index < Map.Pairs.Num(); }
        const TK& Key() const { return Map.Pairs(Index).Key; }
        TValue& Value() const { return Map.Pairs(Index).Value; }

    private:
        TMap& Map;
        INT Index;
    };
    typedef TBaseIterator<TMapBase, TI> TIterator;
    typedef TBaseIterator<const TMapBase, const TI> TConstIterator;

protected:
    enum { INDEX_NONE = -1 };

    struct TPair
    {
        INT HashNext;
        TK Key;
        TI Value;
    };

    INT Slot(const TCHAR* Key) const { return INT(HashKeyNoCase(Key) & DWORD(HashCount - 1)); }

    // Appends a pair, its value built in place from ValueArgs, at the head of its chain;
    // the slots double once the chains grow long.
    template<class... TArgs> TI& AddPair(TK Key, TArgs&&... ValueArgs)
    {
        INT Index = Pairs.FArray::Add(1, sizeof(TPair));
        try
        {
            new (Pairs.GetTypedData() + Index) TPair{INDEX_NONE, std::move(Key), TI(std::forward<TArgs>(ValueArgs)...)};
        }
        catch (...)
        {
            Pairs.FArray::Remove(Index, 1, sizeof(TPair));
            throw;
        }
        TPair& Pair = Pairs(Index);
        INT& Head = Hash[Slot(*Pair.Key)];
        Pair.HashNext = Head;
        Head = Index;
        if (Pairs.Num() > 2 * HashCount + 8)
            Rehash(HashCount * 2);
        return Pairs(Index).Value;
    }

    // Relinks every pair in order over Count slots, so each chain again runs from newest to
    // oldest. The map changes only once the new slots exist.
    void Rehash(INT Count)
    {
        INT* NewHash = static_cast<INT*>(appMalloc(DWORD(Count) * sizeof(INT), TEXT("HashMapHash")));
        appFree(Hash);
        Hash = NewHash;
        HashCount = Count;
        for (INT i = 0; i < HashCount; i++)
            Hash[i] = INDEX_NONE;
        for (INT i = 0; i < Pairs.Num(); i++)
        {
            INT& Head = Hash[Slot(*Pairs(i).Key)];
            Pairs(i).HashNext = Head;
            Head = i;
        }
    }

    TArray<TPair> Pairs;
    INT* Hash;
    INT HashCount;
};

// A map with one pair per key.
template<class TK, class TI> class TMap : public TMapBase<TK, TI>
{
public:
    using TMapBase<TK, TI>::TMapBase;

    // Replaces the value of Key's pair, or adds the pair; returns the stored value.
    TI& Set(TK Key, TI Value) { return Emplace(std::move(Key), std::move(Value)); }
    // Set with the value built from ValueArgs, in its place for a new pair.
    template<class... TArgs> TI& Emplace(TK Key, TArgs&&... ValueArgs)
    {
        if (TI* Existing = this->Find(*Key))
            return *Existing = TI(std::forward<TArgs>(ValueArgs)...);
        return this->AddPair(std::move(Key), std::forward<TArgs>(ValueArgs)...);
    }
};

// A map in which a key may occur many times, each pair in the order it was added.
template<class TK, class TI> class TMultiMap : public TMapBase<TK, TI>
{
public:
    using TMapBase<TK, TI>::TMapBase;

    TI& Add(TK Key, TI Value) { return this->AddPair(std::move(Key), std::move(Value)); }

    // Every value stored under Key, the newest first.
    void MultiFind(const TCHAR* Key, TArray<TI>& Values) const
    {
        for (INT i = this->Hash[this->Slot(Key)]; i != this->INDEX_NONE; i = this->Pairs(i).HashNext)
            if (this->Pairs(i).Key == Key)
                Values.AddItem(this->Pairs(i).Value);
    }
};
