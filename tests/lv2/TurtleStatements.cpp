#include "TurtleStatements.h"

#include <serd/serd.h>

namespace vorl::test
{
namespace
{
struct ReadState
{
    SerdEnv* env;
    std::vector<TurtleStatement> statements;
};

std::string text(const SerdEnv* env, const SerdNode* node)
{
    const std::string own(reinterpret_cast<const char*>(node->buf), node->n_bytes);
    if (node->type == SERD_BLANK)
        return "_:" + own;
    if (node->type != SERD_URI && node->type != SERD_CURIE)
        return own;
    SerdNode expanded = serd_env_expand_node(env, node);
    std::string result = expanded.buf != nullptr ? reinterpret_cast<const char*>(expanded.buf) : own;
    serd_node_free(&expanded);
    return result;
}

SerdStatus onBase(void* handle, const SerdNode* uri)
{
    return serd_env_set_base_uri(static_cast<ReadState*>(handle)->env, uri);
}

SerdStatus onPrefix(void* handle, const SerdNode* name, const SerdNode* uri)
{
    return serd_env_set_prefix(static_cast<ReadState*>(handle)->env, name, uri);
}

SerdStatus onStatement(void* handle, SerdStatementFlags, const SerdNode*, const SerdNode* subject,
                       const SerdNode* predicate, const SerdNode* object, const SerdNode*, const SerdNode*)
{
    auto& state = *static_cast<ReadState*>(handle);
    state.statements.push_back(
        {text(state.env, subject), text(state.env, predicate), text(state.env, object)});
    return SERD_SUCCESS;
}
} // namespace

std::vector<TurtleStatement> readTurtleStatements(const std::string& path)
{
    SerdNode base =
        serd_node_new_file_uri(reinterpret_cast<const uint8_t*>(path.c_str()), nullptr, nullptr, true);
    ReadState state{serd_env_new(&base), {}};
    SerdReader* reader =
        serd_reader_new(SERD_TURTLE, &state, nullptr, onBase, onPrefix, onStatement, nullptr);
    const SerdStatus status = serd_reader_read_file(reader, base.buf);
    serd_reader_free(reader);
    serd_env_free(state.env);
    serd_node_free(&base);
    if (status != SERD_SUCCESS)
        state.statements.clear();
    return std::move(state.statements);
}
} // namespace vorl::test
