#include "gui/common/web_links.h"

#include <QUrlQuery>

namespace zentavour {

QUrl HomePageUrl() {
  return QUrl(QString::fromLatin1(kHomePageAddress));
}

QUrl DownloadsUrl(WorkstationModel model) {
  const std::string_view product = ModelInfo(model).downloadsProduct;
  QUrl url(QString::fromLatin1(kDownloadsPageAddress));
  QUrlQuery query;
  query.addQueryItem(QStringLiteral("A_PROD_NO"),
                     QString::fromLatin1(product.data(), static_cast<qsizetype>(product.size())));
  url.setQuery(query);
  return url;
}

}  // namespace zentavour
