#include "platform/net/SmtpTransport.h"

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>

namespace vd::net {

namespace {

constexpr std::size_t kMaxLine = 4096;

class TPlainTransport : public TSmtpTransport {
public:
    TPlainTransport(TSocket socket, int timeoutMs) : FSocket(std::move(socket)), FTimeout(timeoutMs) {}
    bool Write(const std::string& data, std::string& error) override {
        TNetError e = TNetError::None;
        if (FSocket.SendAll(data, FTimeout, &e)) return true;
        error = NetErrorText(e);
        return false;
    }
    bool ReadLine(std::string& line, std::string& error) override {
        TNetError e = TNetError::None;
        if (FSocket.RecvLine(line, kMaxLine, FTimeout, &e)) return true;
        error = e == TNetError::Io ? "reply line too long" : NetErrorText(e);
        return false;
    }

private:
    TSocket FSocket;
    int FTimeout;
};

std::string SslErrorText(const char* what) {
    unsigned long code = ERR_get_error();
    std::string text = what;
    if (code != 0) {
        char buf[256];
        ERR_error_string_n(code, buf, sizeof buf);
        text += ": ";
        text += buf;
    }
    ERR_clear_error();
    return text;
}

struct TSslCtxFree {
    void operator()(SSL_CTX* c) const { SSL_CTX_free(c); }
};
struct TSslFree {
    void operator()(SSL* s) const { SSL_free(s); }
};

// Runs one TLS call over the non-blocking socket. Whenever OpenSSL needs the peer, the wait is
// the socket layer's, so the thread's cancel and deadline scopes end it like any other; the
// call's result, or -1 with netError set when a wait ended it.
template <class TCall>
int DriveTls(SSL* ssl, TSocket& socket, int timeoutMs, TCall call, TNetError& netError) {
    netError = TNetError::None;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        ERR_clear_error();
        const int r = call();
        if (r > 0) return r;
        const int e = SSL_get_error(ssl, r);
        if (e != SSL_ERROR_WANT_READ && e != SSL_ERROR_WANT_WRITE) return r;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (!socket.WaitReady(e == SSL_ERROR_WANT_WRITE,
                              static_cast<int>(std::max<long long>(0, left.count())), &netError))
            return -1;
    }
}

class TTlsTransport : public TSmtpTransport {
public:
    TTlsTransport(TSocket socket, std::unique_ptr<SSL_CTX, TSslCtxFree> ctx,
                  std::unique_ptr<SSL, TSslFree> ssl, int timeoutMs)
        : FSocket(std::move(socket)), FCtx(std::move(ctx)), FSsl(std::move(ssl)), FTimeout(timeoutMs) {}
    ~TTlsTransport() override {
        // One try at close_notify: the socket does not block, and a broken session sends none.
        if (FSsl && !FBroken) SSL_shutdown(FSsl.get());
    }
    bool Write(const std::string& data, std::string& error) override {
        std::size_t done = 0;
        while (done < data.size()) {
            TNetError e;
            const char* p = data.data() + done;
            const int size = static_cast<int>(data.size() - done);
            int n = DriveTls(
                FSsl.get(), FSocket, FTimeout, [&] { return SSL_write(FSsl.get(), p, size); }, e);
            if (n <= 0) {
                FBroken = true;
                error = e != TNetError::None ? NetErrorText(e) : SslErrorText("TLS write failed");
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    bool ReadLine(std::string& line, std::string& error) override {
        line.clear();
        for (;;) {
            if (FPos == FBuf.size()) {
                char buf[1024];
                TNetError e;
                int n = DriveTls(
                    FSsl.get(), FSocket, FTimeout, [&] { return SSL_read(FSsl.get(), buf, sizeof buf); }, e);
                if (n <= 0) {
                    FBroken = true;
                    error = e != TNetError::None ? NetErrorText(e) : SslErrorText("connection closed");
                    return false;
                }
                FBuf.assign(buf, static_cast<std::size_t>(n));
                FPos = 0;
            }
            char c = FBuf[FPos++];
            if (c == '\n') {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return true;
            }
            if (line.size() >= kMaxLine) {
                error = "reply line too long";
                return false;
            }
            line.push_back(c);
        }
    }

private:
    TSocket FSocket;
    std::unique_ptr<SSL_CTX, TSslCtxFree> FCtx;
    std::unique_ptr<SSL, TSslFree> FSsl;
    int FTimeout;
    bool FBroken = false;
    std::string FBuf;
    std::size_t FPos = 0;
};

} // namespace

std::unique_ptr<TSmtpTransport> MakePlainTransport(TSocket socket, int timeoutMs) {
    return std::make_unique<TPlainTransport>(std::move(socket), timeoutMs);
}

std::unique_ptr<TSmtpTransport> MakeTlsTransport(TSocket socket, const std::string& host, int timeoutMs,
                                                 std::string& error) {
    std::unique_ptr<SSL_CTX, TSslCtxFree> ctx(SSL_CTX_new(TLS_client_method()));
    if (!ctx) {
        error = SslErrorText("TLS unavailable");
        return nullptr;
    }
    SSL_CTX_set_min_proto_version(ctx.get(), TLS1_2_VERSION);
    SSL_CTX_set_verify(ctx.get(), SSL_VERIFY_PEER, nullptr);
    // The system's store; SSL_CERT_FILE / SSL_CERT_DIR override it as OpenSSL documents.
    if (SSL_CTX_set_default_verify_paths(ctx.get()) != 1) {
        error = SslErrorText("cannot load the certificate store");
        return nullptr;
    }
    std::unique_ptr<SSL, TSslFree> ssl(SSL_new(ctx.get()));
    if (!ssl) {
        error = SslErrorText("TLS unavailable");
        return nullptr;
    }
    SSL_set_tlsext_host_name(ssl.get(), host.c_str());
    SSL_set_hostflags(ssl.get(), X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    bool isIp = X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl.get()), host.c_str()) == 1;
    if (!isIp && SSL_set1_host(ssl.get(), host.c_str()) != 1) {
        error = "invalid host name for TLS";
        return nullptr;
    }
    ::fcntl(socket.Fd(), F_SETFL, ::fcntl(socket.Fd(), F_GETFL) | O_NONBLOCK);
    SSL_set_fd(ssl.get(), socket.Fd());
    TNetError netError;
    if (DriveTls(
            ssl.get(), socket, timeoutMs, [&] { return SSL_connect(ssl.get()); }, netError) != 1) {
        long verify = SSL_get_verify_result(ssl.get());
        if (netError != TNetError::None) {
            error = std::string("TLS handshake: ") + NetErrorText(netError);
            ERR_clear_error();
        } else if (verify != X509_V_OK) {
            error = std::string("TLS certificate refused: ") + X509_verify_cert_error_string(verify);
            ERR_clear_error();
        } else {
            error = SslErrorText("TLS handshake failed");
        }
        return nullptr;
    }
    return std::make_unique<TTlsTransport>(std::move(socket), std::move(ctx), std::move(ssl), timeoutMs);
}

} // namespace vd::net
