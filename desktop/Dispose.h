#pragma once

// Frees what entry holds with the library's call for it and forgets it, so
// that freeing twice, or freeing what never loaded, does no harm.
template <typename T, typename Destroy>
void dispose(T*& entry, Destroy destroy)
{
    if (entry)
        destroy(entry);
    entry = nullptr;
}
