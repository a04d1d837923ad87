#pragma once
// The libcurl functions this build calls, from the library opened the first
// time one is needed (see platform/SharedLibrary.h): a command that neither
// downloads nor resolves a link never loads it.
#include <curl/curl.h>

// clang-format off
#define OV_CURL_FUNCTIONS(X) \
    X(curl_global_init) \
    X(curl_easy_init) \
    X(curl_easy_cleanup) \
    X(curl_easy_setopt) \
    X(curl_easy_getinfo) \
    X(curl_easy_pause) \
    X(curl_easy_header) \
    X(curl_multi_init) \
    X(curl_multi_cleanup) \
    X(curl_multi_add_handle) \
    X(curl_multi_remove_handle) \
    X(curl_multi_perform) \
    X(curl_multi_poll) \
    X(curl_multi_info_read) \
    X(curl_slist_append) \
    X(curl_slist_free_all) \
    X(curl_free) \
    X(curl_url) \
    X(curl_url_cleanup) \
    X(curl_url_set) \
    X(curl_url_get)
// clang-format on

struct CurlApi {
#define OV_CURL_POINTER(name) decltype(&::name) name;
    OV_CURL_FUNCTIONS(OV_CURL_POINTER)
#undef OV_CURL_POINTER
};

// The functions, or null when libcurl cannot be loaded.
const CurlApi* Curl();
